// The transformations dialog's fields read into transformations, and the fields at fault named.
#include "TransformationFields.h"

#include <gtest/gtest.h>

using namespace kurvo;

namespace {

TransformationFields fieldsOf(TransformKind kind) {
    TransformationFields f;
    f.kind = kind;
    return f;
}

TEST(TransformationFields, EachKindMapsItsExamplePoint) {
    struct Row {
        const char* what;
        TransformationFields fields;
        bool degrees;
        TDataPoint from, to;
    };
    auto with = [](TransformKind kind, auto set) {
        TransformationFields f = fieldsOf(kind);
        set(f);
        return f;
    };
    using K = TransformKind;
    const Row rows[] = {
        {"rotation 90 degrees",
         with(K::Rotation,
              [](auto& f) {
                  f.rotationCentre = "0,0";
                  f.angle = "90";
              }),
         true,
         {1, 0},
         {0, 1}},
        {"rotation pi/2 radians",
         with(K::Rotation,
              [](auto& f) {
                  f.rotationCentre = "1,1";
                  f.angle = "1.5707963267949";
              }),
         false,
         {2, 1},
         {1, 2}},
        {"enlargement",
         with(K::Enlargement,
              [](auto& f) {
                  f.centre = "1,1";
                  f.factor = "2";
              }),
         false,
         {2, 3},
         {3, 5}},
        {"stretch",
         with(K::Stretch,
              [](auto& f) {
                  f.centre = "0,0";
                  f.factor = "2";
                  f.factorY = "0.5";
              }),
         false,
         {2, 4},
         {4, 2}},
        {"reflection in 2x+3",
         with(K::ReflectionInLine, [](auto& f) { f.line = "2x+3"; }),
         false,
         {0, 0},
         {-2.4, 1.2}},
        {"reflection in x=1",
         with(K::ReflectionInVertical, [](auto& f) { f.verticalLine = "1"; }),
         false,
         {3, 5},
         {-1, 5}},
        {"translation",
         with(K::Translation,
              [](auto& f) {
                  f.shiftX = "2";
                  f.shiftY = "-1";
              }),
         false,
         {0, 0},
         {2, -1}},
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
    TransformationFields f = fieldsOf(TransformKind::ReflectionInLine);
    f.line = "2x+3";
    auto r = readTransformationFields(f, false);
    ASSERT_TRUE(r.mirror);
    EXPECT_FALSE(r.mirror->vertical);
    EXPECT_EQ(r.mirror->slope, 2);
    EXPECT_EQ(r.mirror->intercept, 3);
    f = fieldsOf(TransformKind::ReflectionInVertical);
    f.verticalLine = "-4.5";
    r = readTransformationFields(f, false);
    ASSERT_TRUE(r.mirror);
    EXPECT_TRUE(r.mirror->vertical);
    EXPECT_EQ(r.mirror->intercept, -4.5);
    f = fieldsOf(TransformKind::Translation);
    f.shiftX = f.shiftY = "1";
    EXPECT_FALSE(readTransformationFields(f, false).mirror);
}

TEST(TransformationFields, EmptyOrBadFieldsAreNamed) {
    struct Row {
        TransformKind kind;
        void (*set)(TransformationFields&);
        const char* error;
    };
    using K = TransformKind;
    const Row rows[] = {
        {K::Rotation, [](auto& f) { f.rotationCentre = "0,0"; }, msg::FillInRequiredFields},
        {K::Stretch,
         [](auto& f) {
             f.centre = "0,0";
             f.factor = "2";
         },
         msg::FillInRequiredFields},
        {K::Translation, [](auto& f) { f.shiftX = "1"; }, msg::FillInRequiredFields},
        {K::Rotation,
         [](auto& f) {
             f.rotationCentre = "0,0";
             f.angle = "ninety";
         },
         "Angle: 'ninety' is not a valid floating point value"},
        {K::Rotation,
         [](auto& f) {
             f.rotationCentre = "1";
             f.angle = "90";
         },
         "Centre: '' is not a valid floating point value"},
        {K::Enlargement,
         [](auto& f) {
             f.centre = "a,1";
             f.factor = "2";
         },
         "Centre: 'a' is not a valid floating point value"},
        {K::Enlargement,
         [](auto& f) {
             f.centre = "1,1";
             f.factor = "2x";
         },
         "Scale Factor: '2x' is not a valid floating point value"},
        {K::Stretch,
         [](auto& f) {
             f.centre = "1,1";
             f.factor = "2";
             f.factorY = "?";
         },
         "Scale Factor y: '?' is not a valid floating point value"},
        {K::ReflectionInLine, [](auto& f) { f.line = "x^2"; },
         "y=: '^2' is not a valid floating point value"},
        {K::ReflectionInVertical, [](auto& f) { f.verticalLine = "c"; },
         "x=: 'c' is not a valid floating point value"},
        {K::Translation,
         [](auto& f) {
             f.shiftX = "1";
             f.shiftY = "1,5";
         },
         "Translation y: '1,5' is not a valid floating point value"},
    };
    for (const Row& row : rows) {
        TransformationFields f = fieldsOf(row.kind);
        row.set(f);
        TransformationRequest r = readTransformationFields(f, true);
        EXPECT_EQ(r.error, row.error);
        EXPECT_FALSE(r.transformation) << row.error;
        EXPECT_FALSE(r.mirror) << row.error;
    }
}

} // namespace
