// Reading the transformations dialog's fields into a transformation, field by field.
#include "TransformationFields.h"

#include "Errors.h"
#include "NumberText.h"

#include <initializer_list>

namespace kurvo {
namespace {

/// A field that is not a number: its caption and the conversion message.
struct FieldError {
    std::string text;
};

long double number(const char* caption, std::string_view text) {
    try {
        return strToFloat(text);
    } catch (const EConvertError& e) {
        throw FieldError{std::string(caption) + ": " + e.what()};
    }
}

struct Centre {
    long double x, y;
};

Centre centre(const char* caption, const std::string& text) {
    auto comma = text.find(',');
    std::string_view all(text);
    std::string_view x = comma == std::string::npos ? all : all.substr(0, comma);
    std::string_view y = comma == std::string::npos ? std::string_view() : all.substr(comma + 1);
    return {number(caption, x), number(caption, y)};
}

bool anyEmpty(std::initializer_list<const std::string*> fields) {
    for (const std::string* f : fields)
        if (f->empty()) return true;
    return false;
}

} // namespace

TransformationRequest readTransformationFields(const TransformationFields& f, bool degrees) {
    TransformationRequest r;
    bool empty = false;
    switch (f.kind) {
    case TransformKind::Rotation:
        empty = anyEmpty({&f.rotationCentre, &f.angle});
        break;
    case TransformKind::Enlargement:
        empty = anyEmpty({&f.centre, &f.factor});
        break;
    case TransformKind::Stretch:
        empty = anyEmpty({&f.centre, &f.factor, &f.factorY});
        break;
    case TransformKind::ReflectionInLine:
        empty = f.line.empty();
        break;
    case TransformKind::ReflectionInVertical:
        empty = f.verticalLine.empty();
        break;
    case TransformKind::Translation:
        empty = anyEmpty({&f.shiftX, &f.shiftY});
        break;
    case TransformKind::Matrix:
        r.error = "The matrix transformation has fields of its own.";
        return r;
    }
    if (empty) {
        r.error = msg::FillInRequiredFields;
        return r;
    }
    try {
        switch (f.kind) {
        case TransformKind::Rotation: {
            Centre c = centre("Centre", f.rotationCentre);
            r.transformation = PointTransformation::rotation(c.x, c.y, number("Angle", f.angle), degrees);
            break;
        }
        case TransformKind::Enlargement: {
            Centre c = centre("Centre", f.centre);
            r.transformation = PointTransformation::enlargement(c.x, c.y, number("Scale Factor", f.factor));
            break;
        }
        case TransformKind::Stretch: {
            Centre c = centre("Centre", f.centre);
            r.transformation = PointTransformation::stretch(c.x, c.y, number("Scale Factor x", f.factor),
                                                            number("Scale Factor y", f.factorY));
            break;
        }
        case TransformKind::ReflectionInLine: {
            MirrorLineTexts parts = splitMirrorLine(f.line);
            MirrorLine line{false, number("y=", parts.slope), number("y=", parts.intercept)};
            r.transformation = PointTransformation::reflectionInLine(line.slope, line.intercept);
            r.mirror = line;
            break;
        }
        case TransformKind::ReflectionInVertical: {
            MirrorLine line{true, 0, number("x=", f.verticalLine)};
            r.transformation = PointTransformation::reflectionInVertical(line.intercept);
            r.mirror = line;
            break;
        }
        case TransformKind::Translation:
            r.transformation = PointTransformation::translation(number("Translation x", f.shiftX),
                                                                number("Translation y", f.shiftY));
            break;
        case TransformKind::Matrix:
            break;
        }
    } catch (const FieldError& e) {
        r = TransformationRequest{};
        r.error = e.text;
    }
    return r;
}

} // namespace kurvo
