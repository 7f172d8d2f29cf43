// Transformations of data points: each kind on a triangle, the mirror-line text, and composition.
#include "Transformation.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace kurvo;

namespace {

using Points = std::vector<TDataPoint>;

const Points Triangle = {{1, 1}, {3, 1}, {1, 2}};

void expectPoints(const Points& got, const Points& expected, double tolerance, const char* what) {
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (tolerance == 0) {
            EXPECT_EQ(got[i], expected[i]) << what << " point " << i;
        } else {
            EXPECT_NEAR(got[i].x, expected[i].x, tolerance) << what << " point " << i;
            EXPECT_NEAR(got[i].y, expected[i].y, tolerance) << what << " point " << i;
        }
    }
}

TEST(Transformation, EachKindOnATriangle) {
    struct Row {
        const char* what;
        PointTransformation t;
        TransformKind kind;
        Points image;
        double tolerance;
    };
    const Row rows[] = {
        {"rotation 90 degrees about (1,1)",
         PointTransformation::rotation(1, 1, 90, true),
         TransformKind::Rotation,
         {{1, 1}, {1, 3}, {0, 1}},
         1e-15},
        {"rotation pi radians about the origin",
         PointTransformation::rotation(0, 0, std::numbers::pi_v<long double>, false),
         TransformKind::Rotation,
         {{-1, -1}, {-3, -1}, {-1, -2}},
         1e-15},
        {"enlargement 2 from (1,1)",
         PointTransformation::enlargement(1, 1, 2),
         TransformKind::Enlargement,
         {{1, 1}, {5, 1}, {1, 3}},
         0},
        {"enlargement -0.5 from the origin",
         PointTransformation::enlargement(0, 0, -0.5),
         TransformKind::Enlargement,
         {{-0.5, -0.5}, {-1.5, -0.5}, {-0.5, -1}},
         0},
        {"stretch 2 across, 0.5 up",
         PointTransformation::stretch(0, 0, 2, 0.5),
         TransformKind::Stretch,
         {{2, 0.5}, {6, 0.5}, {2, 1}},
         0},
        {"stretch from (1,2)",
         PointTransformation::stretch(1, 2, 3, 2),
         TransformKind::Stretch,
         {{1, 0}, {7, 0}, {1, 2}},
         0},
        {"reflection in y=1",
         PointTransformation::reflectionInLine(0, 1),
         TransformKind::ReflectionInLine,
         {{1, 1}, {3, 1}, {1, 0}},
         0},
        {"reflection in y=x",
         PointTransformation::reflectionInLine(1, 0),
         TransformKind::ReflectionInLine,
         {{1, 1}, {1, 3}, {2, 1}},
         1e-15},
        {"reflection in y=-x+2",
         PointTransformation::reflectionInLine(-1, 2),
         TransformKind::ReflectionInLine,
         {{1, 1}, {1, -1}, {0, 1}},
         1e-15},
        {"reflection in x=1",
         PointTransformation::reflectionInVertical(1),
         TransformKind::ReflectionInVertical,
         {{1, 1}, {-1, 1}, {1, 2}},
         0},
        {"translation by (2,-1)",
         PointTransformation::translation(2, -1),
         TransformKind::Translation,
         {{3, 0}, {5, 0}, {3, 1}},
         0},
        {"matrix quarter turn",
         PointTransformation::matrix(0, -1, 1, 0),
         TransformKind::Matrix,
         {{-1, 1}, {-1, 3}, {-2, 1}},
         0},
        {"matrix reflection in the x-axis",
         PointTransformation::matrix(1, 0, 0, -1),
         TransformKind::Matrix,
         {{1, -1}, {3, -1}, {1, -2}},
         0},
        {"matrix identity", PointTransformation::matrix(1, 0, 0, 1), TransformKind::Matrix, Triangle, 0},
        {"matrix shear",
         PointTransformation::matrix(1, 2, 0, 1),
         TransformKind::Matrix,
         {{3, 1}, {5, 1}, {5, 2}},
         0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.t.kind(), row.kind) << row.what;
        expectPoints(row.t.apply(Triangle), row.image, row.tolerance, row.what);
    }
}

TEST(Transformation, SinglePointExamples) {
    struct Row {
        const char* what;
        PointTransformation t;
        TDataPoint from, to;
        double tolerance;
    };
    const Row rows[] = {
        {"quarter turn in degrees", PointTransformation::rotation(0, 0, 90, true), {1, 0}, {0, 1}, 1e-15},
        {"enlargement from (1,1)", PointTransformation::enlargement(1, 1, 2), {2, 3}, {3, 5}, 0},
        {"stretch", PointTransformation::stretch(0, 0, 2, 0.5), {2, 4}, {4, 2}, 0},
        {"reflection in y=2x+3", PointTransformation::reflectionInLine(2, 3), {0, 0}, {-2.4, 1.2}, 1e-15},
        {"reflection in x=1", PointTransformation::reflectionInVertical(1), {3, 5}, {-1, 5}, 0},
        {"translation", PointTransformation::translation(2, -1), {0, 0}, {2, -1}, 0},
        {"matrix enlargement", PointTransformation::matrix(2, 0, 0, 2), {1.5, -2}, {3, -4}, 0},
    };
    for (const auto& row : rows)
        expectPoints({row.t.image(row.from)}, {row.to}, row.tolerance, row.what);
}

TEST(Transformation, ReflectingTwiceOrRotatingFourTimesReturns) {
    auto mirror = PointTransformation::reflectionInLine(2, 3);
    expectPoints(mirror.apply(mirror.apply(Triangle)), Triangle, 1e-14, "reflection twice");
    auto quarter = PointTransformation::rotation(0.5, -2, 90, true);
    Points p = Triangle;
    for (int i = 0; i < 4; ++i)
        p = quarter.apply(p);
    expectPoints(p, Triangle, 1e-14, "four quarter turns");
}

TEST(Transformation, MirrorLineTexts) {
    struct Row {
        const char* text;
        const char* slope;
        const char* intercept;
    };
    const Row rows[] = {
        {"2x+3", "2", "+3"},       {"x", "1", "0"},     {"-x+1", "-1", "+1"}, {"+x-4", "1", "-4"},
        {"0.5x - 2", "0.5", "-2"}, {"2X+1", "2", "+1"}, {"3", "0", "3"},      {"", "0", "0"},
        {"x+x", "1", "+x"}, // the caller's conversion rejects the intercept
    };
    for (const auto& row : rows) {
        MirrorLineTexts parts = splitMirrorLine(row.text);
        EXPECT_EQ(parts.slope, row.slope) << row.text;
        EXPECT_EQ(parts.intercept, row.intercept) << row.text;
    }
}

} // namespace
