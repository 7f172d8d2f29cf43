// The analysis reads its points from the data-set store and writes a transformed first set back.
#include "DataSetPoints.h"
#include "DataSetStore.h"
#include "Transformation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kurvo;

namespace {

using Lines = std::vector<std::string>;
using Points = std::vector<TDataPoint>;

TDataSetStore storeOf(const Lines& lines) {
    TDataSetStore store;
    store.appendLines(lines);
    return store;
}

Points pointsOf(DataPoints span) {
    return Points(span.begin(), span.end());
}

TEST(DataSetPoints, PointLines) {
    EXPECT_EQ(parsePointLine("1.5,-2"), (TDataPoint{1.5, -2}));
    EXPECT_EQ(parsePointLine(" 3 , 4E2"), (TDataPoint{3, 400}));
    // Lines that are no number pair never enter the store, so the analysis never meets them.
    for (const char* line : {"1;2", "1,", "a,2", "1,2,3"}) {
        EXPECT_FALSE(parsePointLine(line)) << line;
        EXPECT_EQ(storeOf({line, "#"}).allPoints().size(), 0u) << line;
    }
    EXPECT_EQ(pointLineText({-2.4, 1.2}), "-2.4,1.2");
    EXPECT_EQ(pointLineText({6.123233995736766e-17, 1}), "6.12323399573677E-17,1");
    EXPECT_FALSE(pointLineText({std::numeric_limits<double>::infinity(), 1}));
}

TEST(DataSetPoints, PooledAndFirstSet) {
    const TDataSetStore store = storeOf({"1,2", "2,4", "#", "3,6", "#"});
    EXPECT_EQ(pointsOf(store.allPoints()), (Points{{1, 2}, {2, 4}, {3, 6}}));
    EXPECT_EQ(pointsOf(store.points(0)), (Points{{1, 2}, {2, 4}}));
    EXPECT_TRUE(TDataSetStore().allPoints().empty());
    EXPECT_TRUE(storeOf({"#", "1,2"}).points(0).empty());
    EXPECT_EQ(pointsOf(storeOf({"1,2"}).points(0)), (Points{{1, 2}}));
}

TEST(DataSetPoints, TransformedFirstSetReplacesOnlyItsLines) {
    TDataSetStore store = storeOf({"0,0", "3,5", "#", "7,7", "#"});
    auto images = PointTransformation::reflectionInVertical(1).apply(store.points(0));
    EXPECT_TRUE(store.replaceSet(0, images));
    EXPECT_EQ(store.lines(), (Lines{"2,0", "-1,5", "#", "7,7", "#"}));
    EXPECT_EQ(pointsOf(store.allPoints()), (Points{{2, 0}, {-1, 5}, {7, 7}}));
    const TDataSetStore before = store;
    // A wrong count, or an image too large to write, leaves the set as it was.
    EXPECT_FALSE(store.replaceSet(0, Points{{1, 1}}));
    EXPECT_FALSE(store.replaceSet(0, Points{{1, 1}, {std::numeric_limits<double>::infinity(), 0}}));
    EXPECT_EQ(store, before);
    EXPECT_EQ(pointsOf(store.points(0)), (Points{{2, 0}, {-1, 5}}));
    // A later set is replaced in its own lines.
    EXPECT_TRUE(store.replaceSet(1, Points{{0.5, -1}}));
    EXPECT_EQ(store.lines(), (Lines{"2,0", "-1,5", "#", "0.5,-1", "#"}));
}

TEST(DataSetPoints, AQuarterTurnFourTimesThroughTheStoreReturns) {
    TDataSetStore store = storeOf({"1,0", "2,3", "#"});
    auto quarter = PointTransformation::rotation(0, 0, 90, true);
    ASSERT_TRUE(store.replaceSet(0, quarter.apply(store.points(0))));
    // cos 90° is not exactly 0: the image is a tiny number, not 0, written in scientific notation.
    const std::string first = store.lines()[0];
    EXPECT_NE(first.find("E-"), std::string::npos) << first;
    EXPECT_EQ(first.substr(first.size() - 2), ",1");
    EXPECT_LT(std::fabs(store.points(0)[0].x), 1e-15);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(store.replaceSet(0, quarter.apply(store.points(0))));
    auto back = store.points(0);
    EXPECT_NEAR(back[0].x, 1, 1e-14);
    EXPECT_NEAR(back[0].y, 0, 1e-14);
    EXPECT_NEAR(back[1].x, 2, 1e-14);
    EXPECT_NEAR(back[1].y, 3, 1e-14);
}

} // namespace
