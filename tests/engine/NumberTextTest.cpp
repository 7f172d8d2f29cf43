// Number texts: literal format, general number text, typed-number conversion and code page conversion.
#include "NumberText.h"
#include "Cp1252.h"
#include "Errors.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace kurvo;

namespace {

TEST(NumberText, GeneralText) {
    const std::pair<long double, const char*> rows[] = {
        {0, "0"},
        {1, "1"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},
        {1e20, "1E20"},
        {1.5e-7, "1.5E-7"},
        {0.00001, "0.00001"},
        {0.000009, "9E-6"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E15"},
        {3.141592653589793, "3.14159265358979"},
        {-1e-300, "-1E-300"},
        {999999999999999.9, "1E15"},
        {100, "100"},
    };
    for (const auto& [v, text] : rows)
        EXPECT_EQ(formatGeneral(v), text);
}

TEST(NumberText, APointInEveryLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    const std::pair<long double, const char*> rows[] = {
        {-1, "-1"}, {6.283185307179586L, "6.28318530717959"}, {628.318L, "628.318"}, {-10, "-10"}, {1.5e20L, "1.5E20"},
    };
    for (const auto& [v, text] : rows)
        EXPECT_EQ(formatGeneral(v), text);
    EXPECT_EQ(scientificCText(1234.56L, 3), "1.235e+03");
    EXPECT_EQ(scientificCText(-0.5L, 2), "-5.00e-01");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberText, LiteralFormat) {
    const std::pair<const char*, bool> rows[] = {
        {"2", true},    {"-3", true},  {"+2.5", true}, {"2E-3", true}, {"1e5", true},   {".5", true},
        {"5.", true},   {"", false},   {".", false},   {"-", false},   {"2E", false},   {"E5", false},
        {"1,5", false}, {"2 ", false}, {"inf", false}, {"nan", false}, {"0x10", false}, {"1E400", false},
    };
    for (const auto& [text, ok] : rows)
        EXPECT_EQ(parsePascalNumber(text).has_value(), ok) << text;
    EXPECT_EQ(*parsePascalNumber("-2.5E2"), -250);
    EXPECT_EQ(*parsePascalNumber("1E-400"), 0);
}

TEST(NumberText, TypedNumbersAndTheirMessages) {
    EXPECT_EQ(strToFloat(" 2.5 "), 2.5);
    EXPECT_EQ(strToFloat("2,5", ','), 2.5);
    try {
        strToFloat("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_THROW(strToFloat("2.5", ','), EConvertError);
    EXPECT_EQ(strToInt("-42"), -42);
    try {
        strToInt("4.2");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'4.2' is not a valid integer value");
    }
    EXPECT_THROW(strToInt("3000000000"), EConvertError);
}

TEST(Cp1252, SuperscriptsAndEuroSurviveARoundTrip) {
    std::string utf8 = "x\xC2\xB2+y\xC2\xB3 \xE2\x82\xAC"; // x²+y³ €
    std::string bytes = utf8ToCp1252(utf8);
    EXPECT_EQ(bytes, "x\xB2+y\xB3 \x80");
    EXPECT_EQ(cp1252ToUtf8(bytes), utf8);
    EXPECT_EQ(utf8ToCp1252("\xE4\xB8\xAD"), "?"); // not in the code page
    EXPECT_EQ(utf8ToCp1252("a\xFF"), "a\xFF");    // not UTF-8: kept as a byte
}

TEST(Cp1252, PiAndRootBecomeFormulaText) {
    const std::pair<const char*, const char*> rows[] = {
        {"2\u03C0", "2p"}, {"\u221A(x+1)", "sqrt(x+1)"}, {"\u03C0\u00B2", "p\xB2"}, {"\u221A\u03C0", "sqrtp"},
        {"\u03A0", "?"}, // capital pi is no symbol for the number
    };
    for (const auto& [utf8, bytes] : rows)
        EXPECT_EQ(utf8ToCp1252(utf8), bytes) << utf8;
}

} // namespace
