// The coordinates editor's text: the set ends at the first empty line, every line of it must be a
// point, and the axis-labels text splits at its first comma.
#include "DataSetStore.h"

#include <gtest/gtest.h>

namespace kurvo {
namespace {

using Lines = std::vector<std::string>;

TEST(TypedSet, TakesTheLinesUpToTheFirstEmptyOne) {
    struct Case {
        const char* what;
        Lines typed;
        Lines taken;
    };
    const Case cases[] = {
        {"an empty line ends the set", {"1,2", "3,4", "", "5,6"}, {"1,2", "3,4"}},
        {"a bad line after the empty one is never read", {"1,2", "", "oops"}, {"1,2"}},
        {"lines are kept as typed", {" 1.5 , -2E1", "0,0"}, {" 1.5 , -2E1", "0,0"}},
        {"to the end without an empty line",
         {"1,1", "2,4", "3,9", "4,16", "5,25"},
         {"1,1", "2,4", "3,9", "4,16", "5,25"}},
    };
    for (const Case& c : cases) {
        const TTypedSet set = readTypedSet(c.typed);
        EXPECT_EQ(set.error, "") << c.what;
        EXPECT_EQ(set.lines, c.taken) << c.what;
        EXPECT_EQ(set.errorLine, 0u) << c.what;
    }
}

TEST(TypedSet, RefusesTheWholeSetNamingTheFirstBadLine) {
    struct Case {
        Lines typed;
        std::size_t line;
        const char* shown; // the bad line as the message quotes it
    };
    const Case cases[] = {
        {{"1,2", "3,4", "abc"}, 3, "abc"}, {{"1;2"}, 1, "1;2"},    {{"1,2", "3"}, 2, "3"},
        {{"1,2", "#", "3,4"}, 2, "#"}, // a set end typed by hand would split the set in two
        {{"1,2,3"}, 1, "1,2,3"},           {{"1,2", " "}, 2, " "}, {{"1,2", "x,4", "y,5"}, 2, "x,4"},
    };
    for (const Case& c : cases) {
        const TTypedSet set = readTypedSet(c.typed);
        EXPECT_TRUE(set.lines.empty()) << c.shown;
        EXPECT_EQ(set.errorLine, c.line) << c.shown;
        EXPECT_EQ(set.error.rfind("Line " + std::to_string(c.line) + ": \"" + c.shown + "\"", 0), 0u)
            << set.error;
    }
}

TEST(TypedSet, NothingToPlot) {
    for (const Lines& typed : {Lines{}, Lines{""}, Lines{"", "1,2"}}) {
        const TTypedSet set = readTypedSet(typed);
        EXPECT_EQ(set.error, "I have to have something to plot!");
        EXPECT_TRUE(set.lines.empty());
        EXPECT_EQ(set.errorLine, 0u);
    }
}

TEST(AxisLabels, SplitAtTheFirstComma) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"time,speed", "time", "speed"}, {"t", "", ""}, {"", "", ""}, {",y", "", "y"}, {"a,b,c", "a", "b,c"},
    };
    for (const auto& [text, x, y] : cases)
        EXPECT_EQ(splitAxisLabels(text), (std::pair<std::string, std::string>(x, y))) << text;
    const std::string longName(300, 'n');
    const auto [x, y] = splitAxisLabels(longName + "," + longName);
    EXPECT_EQ(x.size(), 255u);
    EXPECT_EQ(y.size(), 255u);
}

} // namespace
} // namespace kurvo
