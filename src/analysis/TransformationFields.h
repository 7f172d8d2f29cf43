// Reading the transformations dialog's fields into a transformation, field by field.
#pragma once

#include "Transformation.h"

#include <optional>
#include <string>

namespace kurvo {

/// The texts of the transformations dialog: which kind, and every field as typed (empty unless set,
/// so a request names only the fields it fills).
struct TransformationFields {
    TransformKind kind = TransformKind::Rotation;
    std::string rotationCentre{}; ///< "x,y", for a rotation
    std::string angle{};
    std::string centre{};       ///< "x,y", for an enlargement or a stretch
    std::string factor{};       ///< the scale factor, or the factor across for a stretch
    std::string factorY{};      ///< the factor up, for a stretch
    std::string line{};         ///< the right-hand side of y = mx + c, such as "2x+3"
    std::string verticalLine{}; ///< c of x = c
    std::string shiftX{}, shiftY{};
};

/// A mirror line to draw over the picture: y = slope·x + intercept, or x = intercept when vertical.
struct MirrorLine {
    bool vertical = false;
    long double slope = 0;
    long double intercept = 0;
};

/// What the fields describe. `error` is empty on success; otherwise it names the field at fault
/// ("Angle: 'a' is not a valid floating point value") and nothing else is set.
struct TransformationRequest {
    std::string error;
    std::optional<PointTransformation> transformation;
    std::optional<MirrorLine> mirror; ///< for the two reflections

    bool ok() const { return error.empty(); }
};

namespace msg {
inline constexpr const char* FillInRequiredFields = "Please fill in all the required fields.";
inline constexpr const char* TransformWithAutoScaling =
    "Transformations will only work will the auto_scaling button switched off.";
inline constexpr const char* ImageTooLarge =
    "The image of a point is too large to be written as a number; the points were not changed.";
} // namespace msg

/// Reads the fields the kind needs (plain decimal numbers; a centre is "x,y" split at the first
/// comma) into a transformation. An empty required field gives msg::FillInRequiredFields; a field
/// that is not a number gives the field's caption and the conversion message. Angles are in
/// degrees when `degrees` is set.
TransformationRequest readTransformationFields(const TransformationFields& fields, bool degrees);

} // namespace kurvo
