// The numeric label's text: every display type, the 32-bit range of the integer types, the overflow
// indicator.
#include "NumLabText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kurvo;

namespace {

TEST(NumLabText, DisplayTypes) {
    struct Row {
        double value;
        TDisplayType type;
        int precision;
        const char* text;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Row rows[] = {
        {0.816496580927726, dtFloat, 8, "0.81649658"},
        {123456789.5, dtFloat, 8, "1.2345679E8"},
        {12345678.4, dtFloat, 8, "12345678"},
        {0.00001, dtFloat, 8, "0.00001"},
        {0.000001234, dtFloat, 8, "1.234E-6"},
        {-2, dtFloat, 8, "-2"},
        {0, dtFloat, 8, "0"},
        {2.0 / 3, dtFloat, 3, "0.667"},
        {1, dtFixP, 2, "1.00"},
        {-3.14159, dtFixP, 3, "-3.142"},
        {1234.56, dtExp, 3, "1.235e+03"},
        {-0.00012, dtExp, 1, "-1.2e-04"},
        {255, dtHex, 8, "000000ff"},
        {255, dtHex, 2, "ff"},
        {255, dtHex, 1, "f"}, // only the last digits are kept
        {254.6, dtHex, 2, "ff"},
        {-1, dtHex, 8, "ffffffff"},
        {-1, dtHex, 4, "ffff"},
        {2147483647, dtHex, 12, "7fffffff"},
        {0, dtHex, 0, "0"},
        {42, dtZeroInt, 5, "00042"},
        {-7, dtZeroInt, 3, "-007"},
        {2.5, dtZeroInt, 1, "3"},
        {-2.5, dtZeroInt, 1, "-3"},
        {-2147483648.0, dtZeroInt, 1, "-2147483648"},
        {2.4, dtInt, 5, "2"},
        {-3.6, dtInt, 0, "-4"},
        {1e20, dtInt, 0, "100000000000000000000"},
        {inf, dtFloat, 8, "INF"},
        {-inf, dtFixP, 2, "-INF"},
        {std::nan(""), dtExp, 2, "NAN"},
    };
    for (const auto& row : rows) {
        auto text = formatNumLabValue(row.value, row.type, row.precision);
        ASSERT_TRUE(text.has_value()) << row.value << " type " << row.type;
        EXPECT_EQ(*text, row.text) << row.value << " type " << row.type;
    }
}

TEST(NumLabText, IntegerTypesTakeOnlyThirtyTwoBitValues) {
    const double rows[] = {2147483647.6, -2147483648.5, 1e10, -1e300, std::numeric_limits<double>::infinity(),
                           std::nan("")};
    for (double v : rows) {
        EXPECT_FALSE(formatNumLabValue(v, dtHex, 8).has_value()) << v;
        EXPECT_FALSE(formatNumLabValue(v, dtZeroInt, 8).has_value()) << v;
    }
}

TEST(NumLabText, OverflowIndicatorAndEmptyLabel) {
    // Seven pixels a character: an 80-pixel box leaves 74 pixels, ten characters.
    auto width = [](std::string_view text) { return static_cast<int>(text.size()) * 7; };
    TNumLabFormat format; // the statistics labels' format
    struct Row {
        double value;
        int labelWidth;
        TDisplayType type;
        const char* shown;
    };
    const Row rows[] = {
        {0.816496580927726, 80, dtFloat, "0.81649658"},
        {-0.816496580927726, 80, dtFloat, "*********"}, // eleven characters
        {-0.816496580927726, 83, dtFloat, "-0.81649658"},
        {1234567890, 80, dtFloat, "*********"},
        {1234567890, 83, dtFloat, "1.2345679E9"},
        {1e10, 80, dtZeroInt, "*********"}, // outside the 32-bit range
        {12, 80, dtZeroInt, "00000012"},
    };
    for (const auto& row : rows) {
        format.LabelWidth = row.labelWidth;
        format.DisplayType = row.type;
        EXPECT_EQ(numLabDisplayText(row.value, format, width), row.shown)
            << row.value << " in " << row.labelWidth;
    }
    format.Empty = true;
    EXPECT_EQ(numLabDisplayText(1, format, width), "");
    format.Empty = false;
    format.LabelWidth = 10;
    format.OverflowIndicator = std::string(60, '#');
    EXPECT_EQ(numLabDisplayText(1, format, width), std::string(50, '#'));
}

} // namespace
