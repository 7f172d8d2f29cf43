// The transformations dialog's fields read into transformations, and the fields at fault named.
#include "TransformationFields.h"

#include <gtest/gtest.h>

using namespace kurvo;

namespace {

TEST(TransformationFields, EachKindMapsItsExamplePoint) {
    struct Row {
        const char* what;
        TransformationFields fields;
        bool degrees;
        TDataPoint from, to;
    };
    using K = TransformKind;
    const Row rows[] = {
        {"rotation 90 degrees",
         {.kind = K::Rotation, .rotationCentre = "0,0", .angle = "90"},
         true,
         {1, 0},
         {0, 1}},
        {"rotation pi/2 radians",
         {.kind = K::Rotation, .rotationCentre = "1,1", .angle = "1.5707963267949"},
         false,
         {2, 1},
         {1, 2}},
        {"enlargement", {.kind = K::Enlargement, .centre = "1,1", .factor = "2"}, false, {2, 3}, {3, 5}},
        {"stretch",
         {.kind = K::Stretch, .centre = "0,0", .factor = "2", .factorY = "0.5"},
         false,
         {2, 4},
         {4, 2}},
        {"reflection in 2x+3", {.kind = K::ReflectionInLine, .line = "2x+3"}, false, {0, 0}, {-2.4, 1.2}},
        {"reflection in x=1", {.kind = K::ReflectionInVertical, .verticalLine = "1"}, false, {3, 5}, {-1, 5}},
        {"translation", {.kind = K::Translation, .shiftX = "2", .shiftY = "-1"}, false, {0, 0}, {2, -1}},
    };
    for (const Row& row : rows) {
        TransformationRequest r = readTransformationFields(row.fields, row.degrees);
        ASSERT_TRUE(r.ok()) << row.what << ": " << r.error;
        TDataPoint image = r.transformation->image(row.from);
        EXPECT_NEAR(image.x, row.to.x, 1e-12) << row.what;
        EXPECT_NEAR(image.y, row.to.y, 1e-12) << row.what;
    }
}

TEST(TransformationFields, ReflectionsCarryTheirMirrorLine) {
    TransformationFields f{.kind = TransformKind::ReflectionInLine, .line = "2x+3"};
    auto r = readTransformationFields(f, false);
    ASSERT_TRUE(r.mirror);
    EXPECT_FALSE(r.mirror->vertical);
    EXPECT_EQ(r.mirror->slope, 2);
    EXPECT_EQ(r.mirror->intercept, 3);
    f = {.kind = TransformKind::ReflectionInVertical, .verticalLine = "-4.5"};
    r = readTransformationFields(f, false);
    ASSERT_TRUE(r.mirror);
    EXPECT_TRUE(r.mirror->vertical);
    EXPECT_EQ(r.mirror->intercept, -4.5);
    f = {.kind = TransformKind::Translation, .shiftX = "1", .shiftY = "1"};
    EXPECT_FALSE(readTransformationFields(f, false).mirror);
}

TEST(TransformationFields, EmptyOrBadFieldsAreNamed) {
    struct Row {
        TransformationFields fields;
        const char* error;
    };
    using K = TransformKind;
    const Row rows[] = {
        {{.kind = K::Rotation, .rotationCentre = "0,0"}, msg::FillInRequiredFields},
        {{.kind = K::Stretch, .centre = "0,0", .factor = "2"}, msg::FillInRequiredFields},
        {{.kind = K::Translation, .shiftX = "1"}, msg::FillInRequiredFields},
        {{.kind = K::Rotation, .rotationCentre = "0,0", .angle = "ninety"},
         "Angle: 'ninety' is not a valid floating point value"},
        {{.kind = K::Rotation, .rotationCentre = "1", .angle = "90"},
         "Centre: '' is not a valid floating point value"},
        {{.kind = K::Enlargement, .centre = "a,1", .factor = "2"},
         "Centre: 'a' is not a valid floating point value"},
        {{.kind = K::Enlargement, .centre = "1,1", .factor = "2x"},
         "Scale Factor: '2x' is not a valid floating point value"},
        {{.kind = K::Stretch, .centre = "1,1", .factor = "2", .factorY = "?"},
         "Scale Factor y: '?' is not a valid floating point value"},
        {{.kind = K::ReflectionInLine, .line = "x^2"}, "y=: '^2' is not a valid floating point value"},
        {{.kind = K::ReflectionInVertical, .verticalLine = "c"},
         "x=: 'c' is not a valid floating point value"},
        {{.kind = K::Translation, .shiftX = "1", .shiftY = "1,5"},
         "Translation y: '1,5' is not a valid floating point value"},
    };
    for (const Row& row : rows) {
        TransformationRequest r = readTransformationFields(row.fields, true);
        EXPECT_EQ(r.error, row.error);
        EXPECT_FALSE(r.transformation) << row.error;
        EXPECT_FALSE(r.mirror) << row.error;
    }
}

} // namespace
