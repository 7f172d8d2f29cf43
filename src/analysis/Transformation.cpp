// Geometric transformations of data points: rotation, enlargement, stretch, reflections,
// translation, and multiplication by a 2 × 2 matrix.
#include "Transformation.h"

#include <cmath>
#include <numbers>

namespace kurvo {

PointTransformation PointTransformation::rotation(long double cx, long double cy, long double angle,
                                                  bool degrees) {
    long double theta = degrees ? angle * std::numbers::pi_v<long double> / 180 : angle;
    return {
        TransformKind::Rotation, std::cos(theta), -std::sin(theta), std::sin(theta), std::cos(theta), cx, cy};
}

PointTransformation PointTransformation::enlargement(long double cx, long double cy, long double factor) {
    PointTransformation t = stretch(cx, cy, factor, factor); // a stretch by the same factor both ways
    t.m_kind = TransformKind::Enlargement;
    return t;
}

PointTransformation PointTransformation::stretch(long double cx, long double cy, long double factorX,
                                                 long double factorY) {
    return {TransformKind::Stretch, factorX, 0, 0, factorY, cx, cy};
}

PointTransformation PointTransformation::reflectionInLine(long double slope, long double intercept) {
    long double phi = std::atan(slope);
    PointTransformation t(TransformKind::ReflectionInLine, std::cos(2 * phi), std::sin(2 * phi),
                          std::sin(2 * phi), -std::cos(2 * phi), intercept);
    t.m_sinPhi = std::sin(phi);
    t.m_cosPhi = std::cos(phi);
    return t;
}

PointTransformation PointTransformation::reflectionInVertical(long double c) {
    return {TransformKind::ReflectionInVertical, 1, 0, 0, 1, c};
}

PointTransformation PointTransformation::translation(long double dx, long double dy) {
    return {TransformKind::Translation, 1, 0, 0, 1, dx, dy};
}

PointTransformation PointTransformation::matrix(long double a11, long double a12, long double a21,
                                                long double a22) {
    return {TransformKind::Matrix, a11, a12, a21, a22};
}

TDataPoint PointTransformation::image(const TDataPoint& p) const {
    const long double x = p.x, y = p.y;
    long double xi = x, yi = y;
    switch (m_kind) {
    case TransformKind::Rotation:
    case TransformKind::Enlargement:
    case TransformKind::Stretch:
        xi = m_x0 + m_a * (x - m_x0) + m_b * (y - m_y0);
        yi = m_y0 + m_c * (x - m_x0) + m_d * (y - m_y0);
        break;
    case TransformKind::ReflectionInLine: {
        // Reflect in the parallel line through the origin, then shift by the intercept's part.
        const long double c = m_x0;
        xi = m_a * x + m_b * y - 2 * c * m_sinPhi * m_cosPhi;
        yi = m_c * x + m_d * y + 2 * c * m_cosPhi * m_cosPhi;
        break;
    }
    case TransformKind::ReflectionInVertical:
        xi = 2 * m_x0 - x;
        break;
    case TransformKind::Translation:
        xi = x + m_x0;
        yi = y + m_y0;
        break;
    case TransformKind::Matrix:
        xi = m_a * x + m_b * y;
        yi = m_c * x + m_d * y;
        break;
    }
    return {static_cast<double>(xi), static_cast<double>(yi)};
}

std::vector<TDataPoint> PointTransformation::apply(DataPoints points) const {
    std::vector<TDataPoint> images;
    images.reserve(points.size());
    for (const TDataPoint& p : points)
        images.push_back(image(p));
    return images;
}

MirrorLineTexts splitMirrorLine(std::string_view text) {
    std::string line;
    for (char ch : text)
        if (ch != ' ' && ch != '\t') line += ch;
    auto x = line.find_first_of("xX");
    if (x == std::string::npos) return {"0", line.empty() ? "0" : line};
    MirrorLineTexts parts{line.substr(0, x), line.substr(x + 1)};
    if (parts.slope.empty() || parts.slope == "+") parts.slope = "1";
    if (parts.slope == "-") parts.slope = "-1";
    if (parts.intercept.empty()) parts.intercept = "0";
    return parts;
}

} // namespace kurvo
