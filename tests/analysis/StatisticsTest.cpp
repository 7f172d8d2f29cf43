// Summary statistics of the pooled points and how the statistics labels show them.
#include "Statistics.h"
#include "NumLabText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

using namespace kurvo;

namespace {

/// The texts of the fourteen labels, as "name=text" in label order.
std::vector<std::string> labelTexts(const Statistics& s) {
    std::vector<std::string> texts;
    auto values = s.values();
    for (std::size_t i = 0; i < values.size(); ++i)
        texts.push_back(std::string(StatisticsLabels[i].name) + "=" +
                        *formatNumLabValue(values[i], dtFloat, 8));
    return texts;
}

std::vector<TDataPoint> offsetPoints() {
    std::vector<TDataPoint> points;
    for (int i = 1; i <= 10; ++i)
        points.push_back({1e9 + i, (1e9 + i) / 2});
    return points;
}

TEST(Statistics, WorkedExamples) {
    struct Row {
        const char* what;
        std::vector<TDataPoint> points;
        std::vector<std::string> texts;
    };
    const Row rows[] = {
        {"a line through the origin",
         {{1, 2}, {2, 4}, {3, 6}},
         {"num_pts=3", "sumx=6", "sumxsqu=14", "meanx=2", "sampsdx=1", "popsdx=0.81649658", "sumy=12",
          "sumysqu=56", "meany=4", "sampsdy=2", "popsdy=1.6329932", "meandiff=-2", "sddiff=1",
          "corr_coeff=1"}},
        {"two points: no sample deviations, no r",
         {{1, 2}, {3, 5}},
         {"num_pts=2", "sumx=4", "sumxsqu=10", "meanx=2", "sampsdx=0", "popsdx=1", "sumy=7", "sumysqu=29",
          "meany=3.5", "sampsdy=0", "popsdy=1.5", "meandiff=-1.5", "sddiff=0", "corr_coeff=0"}},
        {"two sets of two points pooled",
         {{0, 0}, {2, 2}, {4, 2}, {6, 4}},
         {"num_pts=4", "sumx=12", "sumxsqu=56", "meanx=3", "sampsdx=2.5819889", "popsdx=2.236068", "sumy=8",
          "sumysqu=24", "meany=2", "sampsdy=1.6329932", "popsdy=1.4142136", "meandiff=1", "sddiff=1.1547005",
          "corr_coeff=0.9486833"}},
        {"a sum beyond eight integer digits",
         {{123456789.5, 1}},
         {"num_pts=1", "sumx=1.2345679E8", "sumxsqu=1.5241579E16", "meanx=1.2345679E8", "sampsdx=0",
          "popsdx=0", "sumy=1", "sumysqu=1", "meany=1", "sampsdy=0", "popsdy=0", "meandiff=1.2345679E8",
          "sddiff=0", "corr_coeff=0"}},
        {"x far from zero: 1000000001 … 1000000010, y = x / 2",
         offsetPoints(),
         {"num_pts=10", "sumx=1E10", "sumxsqu=1E19", "meanx=1E9", "sampsdx=3.0276504", "popsdx=2.8722813",
          "sumy=5E9", "sumysqu=2.5E18", "meany=5E8", "sampsdy=1.5138252", "popsdy=1.4361407", "meandiff=5E8",
          "sddiff=1.5138252", "corr_coeff=1"}},
    };
    for (const auto& row : rows) {
        Statistics s = computeStatistics(row.points);
        ASSERT_TRUE(s.ok()) << row.what;
        EXPECT_EQ(labelTexts(s), row.texts) << row.what;
    }
}

TEST(Statistics, EqualValuesHaveNoPopulationDeviation) {
    // Σx²/n − mean² comes out a hair below zero for three x of 0.1 (its root must not be taken) and
    // a hair above it for 0.3 (its root, about 4E-9, is not the deviation).
    for (double v : {0.1, 0.3, 1.1, 7.0}) {
        Statistics s = computeStatistics(std::vector<TDataPoint>{{v, v}, {v, v}, {v, v}});
        ASSERT_TRUE(s.ok());
        EXPECT_EQ(s.popsdx, 0) << v;
        EXPECT_EQ(s.popsdy, 0) << v;
        EXPECT_EQ(s.sampsdx, 0) << v;
        EXPECT_EQ(s.sampsdy, 0) << v;
        EXPECT_EQ(s.corr_coeff, 0) << v;
    }
}

TEST(Statistics, NoPointsSaySo) {
    Statistics s = computeStatistics({});
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.error, "There are no data points.");
    EXPECT_EQ(s.num_pts, 0);
}

TEST(Statistics, LabelTableHasFourteenDistinctNamesInValueOrder) {
    std::set<std::string_view> names;
    for (const auto& label : StatisticsLabels) {
        names.insert(label.name);
        EXPECT_FALSE(label.caption.empty());
        EXPECT_FALSE(label.hint.empty());
    }
    EXPECT_EQ(names.size(), 14u);
    // values() follows the table: a value set alone appears at its label's place.
    Statistics s;
    s.popsdy = 42;
    auto values = s.values();
    EXPECT_EQ(StatisticsLabels[10].name, "popsdy");
    EXPECT_EQ(values[10], 42);
    EXPECT_EQ(StatisticsLabels[2].caption, "Sum (x\xB2)");
}

} // namespace
