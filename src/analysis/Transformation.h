// Geometric transformations of data points: rotation, enlargement, stretch, reflections,
// translation, and multiplication by a 2 × 2 matrix.
#pragma once

#include "DataSetPoints.h"

#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

/// The kinds of the transformations dialog, numbered as its choices; Matrix is the matrix dialog's.
enum class TransformKind {
    Rotation = 0,
    Enlargement = 1,
    Stretch = 2,
    ReflectionInLine = 3,     ///< in y = mx + c
    ReflectionInVertical = 4, ///< in x = c
    Translation = 5,
    Matrix = 6,
};

/// One transformation with its values already evaluated. Build it with the named constructors;
/// image() maps one point, apply() a whole set. The arithmetic runs in extended precision.
class PointTransformation {
  public:
    /// Rotation about (cx, cy) by `angle`, in degrees when `degrees` is set, else in radians.
    static PointTransformation rotation(long double cx, long double cy, long double angle, bool degrees);
    /// Enlargement from (cx, cy) by `factor`.
    static PointTransformation enlargement(long double cx, long double cy, long double factor);
    /// Stretch from (cx, cy) by `factorX` across and `factorY` up.
    static PointTransformation stretch(long double cx, long double cy, long double factorX,
                                       long double factorY);
    /// Reflection in the line y = slope·x + intercept.
    static PointTransformation reflectionInLine(long double slope, long double intercept);
    /// Reflection in the vertical line x = c.
    static PointTransformation reflectionInVertical(long double c);
    /// Translation by (dx, dy).
    static PointTransformation translation(long double dx, long double dy);
    /// x' = a11·x + a12·y, y' = a21·x + a22·y.
    static PointTransformation matrix(long double a11, long double a12, long double a21, long double a22);

    TransformKind kind() const { return m_kind; }
    TDataPoint image(const TDataPoint& p) const;
    std::vector<TDataPoint> apply(DataPoints points) const;

  private:
    /// A kind with its matrix [[a, b], [c, d]] and its x0, y0 (a centre, a shift or a line's c).
    PointTransformation(TransformKind kind, long double a, long double b, long double c, long double d,
                        long double x0 = 0, long double y0 = 0)
        : m_kind(kind), m_a(a), m_b(b), m_c(c), m_d(d), m_x0(x0), m_y0(y0) {}

    TransformKind m_kind;
    long double m_a = 1, m_b = 0, m_c = 0, m_d = 1; ///< the matrix [[A, B], [C, D]]
    long double m_x0 = 0, m_y0 = 0;                 ///< centre, or shift, or (c, –) of a line
    long double m_sinPhi = 0, m_cosPhi = 1;         ///< direction of a mirror line
};

/// The two parts of a mirror line's text "mx+c", for the caller to evaluate.
struct MirrorLineTexts {
    std::string slope;
    std::string intercept;
};

/// Splits the right-hand side of y = mx + c at its first "x" (blanks removed): the slope is the
/// text before it ("1" when empty or "+", "-1" when "-"), the intercept the text after it with its
/// sign ("0" when empty). A text without "x" is a horizontal line: slope "0", the whole text the
/// intercept. "2x+3" gives "2" and "+3".
MirrorLineTexts splitMirrorLine(std::string_view text);

} // namespace kurvo
