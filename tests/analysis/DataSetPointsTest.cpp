// Reading points from the data-set store's lines and writing a transformed first set back.
#include "DataSetPoints.h"
#include "Errors.h"
#include "Transformation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace kurvo;

namespace {

using Lines = std::vector<std::string>;

TEST(DataSetPoints, PointLines) {
    EXPECT_EQ(pointFromLine("1.5,-2"), (DataPoint{1.5, -2}));
    EXPECT_EQ(pointFromLine(" 3 , 4E2"), (DataPoint{3, 400}));
    const std::pair<const char*, const char*> bad[] = {
        {"1;2", "'1;2' is not a valid floating point value"},
        {"1,", "'' is not a valid floating point value"},
        {"a,2", "'a' is not a valid floating point value"},
        {"1,2,3", "'2,3' is not a valid floating point value"},
    };
    for (const auto& [line, message] : bad) {
        try {
            pointFromLine(line);
            FAIL() << line;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
    EXPECT_EQ(pointLineText({-2.4, 1.2}), "-2.4,1.2");
    EXPECT_EQ(pointLineText({6.123233995736766e-17, 1}), "6.12323399573677E-17,1");
}

TEST(DataSetPoints, PooledAndFirstSet) {
    const Lines store = {"1,2", "2,4", "#", "3,6", "#", "", "9,9"};
    EXPECT_EQ(pooledPoints(store), (std::vector<DataPoint>{{1, 2}, {2, 4}, {3, 6}}));
    EXPECT_EQ(firstSetPoints(store), (std::vector<DataPoint>{{1, 2}, {2, 4}}));
    EXPECT_TRUE(pooledPoints({}).empty());
    EXPECT_TRUE(firstSetPoints({"#", "1,2"}).empty());
    EXPECT_EQ(firstSetPoints({"1,2"}), (std::vector<DataPoint>{{1, 2}}));
    EXPECT_THROW(pooledPoints({"1,2", "#", "x,3"}), EConvertError);
}

TEST(DataSetPoints, TransformedFirstSetReplacesOnlyItsLines) {
    Lines store = {"0,0", "3,5", "#", "7,7", "#"};
    auto images = PointTransformation::reflectionInVertical(1).apply(firstSetPoints(store));
    replaceFirstSet(store, images);
    EXPECT_EQ(store, (Lines{"2,0", "-1,5", "#", "7,7", "#"}));
    Lines before = store;
    EXPECT_THROW(replaceFirstSet(store, {{1, 1}}), std::invalid_argument);
    EXPECT_EQ(store, before);
}

TEST(DataSetPoints, AQuarterTurnFourTimesThroughTheStoreReturns) {
    Lines store = {"1,0", "2,3", "#"};
    auto quarter = PointTransformation::rotation(0, 0, 90, true);
    replaceFirstSet(store, quarter.apply(firstSetPoints(store)));
    // cos 90° is not exactly 0: the image is a tiny number, not 0, written in scientific notation.
    EXPECT_NE(store[0].find("E-"), std::string::npos) << store[0];
    EXPECT_EQ(store[0].substr(store[0].size() - 2), ",1");
    EXPECT_LT(std::fabs(firstSetPoints(store)[0].x), 1e-15);
    for (int i = 0; i < 3; ++i)
        replaceFirstSet(store, quarter.apply(firstSetPoints(store)));
    auto back = firstSetPoints(store);
    EXPECT_NEAR(back[0].x, 1, 1e-14);
    EXPECT_NEAR(back[0].y, 0, 1e-14);
    EXPECT_NEAR(back[1].x, 2, 1e-14);
    EXPECT_NEAR(back[1].y, 3, 1e-14);
}

} // namespace
