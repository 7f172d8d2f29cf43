// The settings and toolbar records: every field at its offset, round trips, short files, the
// plot-step text, and the safe view of a damaged record.
#include "SettingsRecord.h"
#include "Defaults.h"
#include "Errors.h"
#include "Extended80.h"
#include "TempFolder.h"
#include "ToolbarConfig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

namespace kurvo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using R = TSettingsRecord;

void putInt(Bytes& b, std::size_t at, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (std::size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

void putText(Bytes& b, std::size_t at, const std::string& s) {
    b[at] = static_cast<std::uint8_t>(s.size());
    std::memcpy(b.data() + at + 1, s.data(), s.size());
}

void putExt(Bytes& b, std::size_t at, long double v) {
    auto e = encodeExtended(v);
    std::memcpy(b.data() + at, e.data(), e.size());
}

TEST(SettingsRecord, DecodesAHandBuiltRecord) {
    Bytes b(R::Size, 0);
    // -10 and 10 written out byte by byte: significand 0xA000..., exponent 16386 (+ sign).
    const std::uint8_t minusTen[10] = {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x02, 0xC0};
    const std::uint8_t ten[10] = {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x02, 0x40};
    std::memcpy(&b[0], minusTen, 10);
    std::memcpy(&b[10], ten, 10);
    b[72] = 1;                      // show axes
    putInt(b, 80, 0x00FFFFFF);      // background white
    putInt(b, 116, 0x000000FF);     // graph 2 red
    putInt(b, 148, -1);             // mark 5
    putText(b, 164, "DejaVu Sans"); // font name
    putInt(b, 420, 12);             // font size
    b[433] = 1;                     // Cartesian
    putInt(b, 464, 7);              // mark type
    putText(b, 980, "1,024");       // plot-step text
    putInt(b, 1320, -1);            // LastGraph
    putInt(b, 1484, 6);             // significant figures
    putText(b, 1490, "Secret");     // admin password

    R r = decodeSettings(b.data());
    EXPECT_EQ(r.Xmin, -10);
    EXPECT_EQ(r.Xmax, 10);
    EXPECT_TRUE(r.showAxes);
    EXPECT_FALSE(r.showGrid);
    EXPECT_EQ(r.backgroundColour, 0x00FFFFFF);
    EXPECT_EQ(r.GraphColours[1], 0xFF);
    EXPECT_EQ(r.MarkColours[4], -1);
    EXPECT_EQ(r.fontName, "DejaVu Sans");
    EXPECT_EQ(r.fontSize, 12);
    EXPECT_TRUE(r.CartesianMode);
    EXPECT_FALSE(r.ParametricMode);
    EXPECT_EQ(r.MarkType, 7);
    EXPECT_EQ(plotStepFromText(r.plotStepText), 1024);
    EXPECT_EQ(r.LastGraph, -1);
    EXPECT_EQ(r.significantFigures, 6);
    EXPECT_EQ(r.adminPassword, "Secret");
}

// Each boolean field alone set in an otherwise zero record: exactly that field reads true.
TEST(SettingsRecord, EveryBooleanFieldSitsAtItsOffset) {
    const std::pair<std::size_t, bool R::*> fields[] = {
        {70, &R::showAsymptotes},
        {71, &R::showPlot},
        {72, &R::showAxes},
        {73, &R::showGrid},
        {74, &R::minorAxisDivisions},
        {75, &R::axisMarkers},
        {76, &R::axisLabels},
        {77, &R::piAxis},
        {78, &R::largeGrid},
        {428, &R::AutoYScaling},
        {429, &R::reserved429},
        {430, &R::DegreeMode},
        {431, &R::reserved431},
        {432, &R::asymptoteBeep},
        {433, &R::CartesianMode},
        {434, &R::ParametricMode},
        {435, &R::ImplicitMode},
        {436, &R::reserved436},
        {437, &R::PlotDerived},
        {438, &R::PlotIntegral},
        {460, &R::ShowCoordinateInfo},
        {461, &R::SquareAxes},
        {462, &R::ShowTangent},
        {463, &R::showHints},
        {991, &R::connectMarks},
        {992, &R::FamilyPlotting},
        {1488, &R::coordsSnapToGraph},
        {1489, &R::outlineMarks},
    };
    for (const auto& [offset, field] : fields) {
        Bytes b(R::Size, 0);
        b[offset] = 1;
        R r = decodeSettings(b.data());
        for (const auto& [other, otherField] : fields)
            EXPECT_EQ(r.*otherField, other == offset) << "byte " << offset << " read into field at " << other;
        std::string encoded = encodeSettings(r);
        EXPECT_EQ(encoded, std::string(b.begin(), b.end())) << offset;
    }
}

TEST(SettingsRecord, EveryNumberAndTextFieldSitsAtItsOffset) {
    const std::pair<std::size_t, std::int32_t R::*> ints[] = {
        {80, &R::backgroundColour},     {84, &R::axesColour},
        {88, &R::asymptotesColour},     {92, &R::derivativeColour},
        {96, &R::integralColour},       {100, &R::gridColour},
        {104, &R::traceLinesColour},    {108, &R::tangentColour},
        {152, &R::graphLineThickness},  {156, &R::axisLineThickness},
        {160, &R::gridLineThickness},   {420, &R::fontSize},
        {424, &R::fontColour},          {464, &R::MarkType},
        {996, &R::familySize},          {1320, &R::LastGraph},
        {1484, &R::significantFigures},
    };
    const std::pair<std::size_t, long double R::*> exts[] = {
        {0, &R::Xmin},  {10, &R::Xmax},     {20, &R::Tmin},         {30, &R::Tmax},         {40, &R::Ymin},
        {50, &R::Ymax}, {60, &R::PlotStep}, {440, &R::reserved440}, {450, &R::reserved450},
    };
    const std::pair<std::size_t, std::string R::*> texts[] = {
        {164, &R::fontName},     {468, &R::XAxisName},      {724, &R::YAxisName},
        {980, &R::plotStepText}, {1490, &R::adminPassword},
    };
    // Distinct values derived from the offset, so a field read from a neighbour's bytes shows.
    Bytes b(R::Size, 0);
    for (const auto& [at, field] : ints)
        putInt(b, at, -1000000 - static_cast<std::int32_t>(at));
    for (const auto& [at, field] : exts)
        putExt(b, at, at + 0.25);
    for (const auto& [at, field] : texts)
        putText(b, at, "t" + std::to_string(at));
    for (std::size_t i = 0; i < 5; ++i) {
        putInt(b, 112 + 4 * i, 0x010000 * static_cast<std::int32_t>(i + 1));
        putInt(b, 132 + 4 * i, 0x000100 * static_cast<std::int32_t>(i + 1));
    }
    for (std::size_t i = 0; i < 16; ++i) {
        putExt(b, 1000 + 10 * i, i + 0.5);
        putExt(b, 1160 + 10 * i, -(i + 0.5));
        putExt(b, 1324 + 10 * i, i * 100.0);
    }

    R r = decodeSettings(b.data());
    for (const auto& [at, field] : ints)
        EXPECT_EQ(r.*field, -1000000 - static_cast<std::int32_t>(at)) << at;
    for (const auto& [at, field] : exts)
        EXPECT_EQ(r.*field, at + 0.25) << at;
    for (const auto& [at, field] : texts)
        EXPECT_EQ(r.*field, "t" + std::to_string(at)) << at;
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(r.GraphColours[i], 0x010000 * static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(r.MarkColours[i], 0x000100 * static_cast<std::int32_t>(i + 1));
    }
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(r.ConstantValues[i], i + 0.5);
        EXPECT_EQ(r.FamilySteps[i], -(i + 0.5));
        EXPECT_EQ(r.savedConstants[i], i * 100.0);
    }
    EXPECT_EQ(encodeSettings(r), std::string(b.begin(), b.end()));
}

TEST(SettingsRecord, EveryFieldRoundTrips) {
    R r = defaultSettings();
    r.Xmin = -1.0 / 3;
    r.Xmax = 1e300;
    r.Tmin = -0.0;
    r.Tmax = 6.283185307179586;
    r.Ymin = std::numeric_limits<double>::denorm_min();
    r.Ymax = std::numeric_limits<double>::max();
    r.PlotStep = std::numeric_limits<long double>::infinity();
    r.reserved440 = 42;
    r.reserved450 = -42;
    r.fontName = std::string(255, '\xB2');
    r.XAxisName = "time \xB3";
    r.YAxisName = "";
    r.plotStepText = "1000000";
    r.adminPassword = "twelve chars";
    r.MarkColours = {1, -2, 3, -4, 0x7FFFFFFF};
    r.LastGraph = 99;
    for (std::size_t i = 0; i < 16; ++i)
        r.FamilySteps[i] = i * 0.1;
    r.DegreeMode = r.reserved431 = r.PlotDerived = r.outlineMarks = true;
    EXPECT_EQ(decodeSettings(reinterpret_cast<const std::uint8_t*>(encodeSettings(r).data())), r);
}

TEST(SettingsRecord, TextsAreCutToTheirFields) {
    R r = defaultSettings();
    r.plotStepText = "12345678901234";
    r.adminPassword = "a much too long password";
    std::string bytes = encodeSettings(r);
    ASSERT_EQ(bytes.size(), R::Size);
    R back = decodeSettings(reinterpret_cast<const std::uint8_t*>(bytes.data()));
    EXPECT_EQ(back.plotStepText, "1234567890");
    EXPECT_EQ(back.adminPassword, "a much too l"); // 12 characters
    EXPECT_EQ(back.fontName, r.fontName);          // the neighbour after the cut text is untouched

    // A length byte larger than the field reads no further than the field.
    Bytes b(R::Size, 'x');
    b[980] = 200;
    b[1490] = 255;
    R damaged = decodeSettings(b.data());
    EXPECT_EQ(damaged.plotStepText, std::string(10, 'x'));
    EXPECT_EQ(damaged.adminPassword, std::string(12, 'x'));
}

TEST(SettingsRecord, ShortFilesAreInputOutputErrors) {
    test::TempFolder folder;
    auto settings = folder.path() / "sett.dat";
    auto toolbar = folder.path() / "tbrcfg.dat";
    test::writeBytes(settings, std::string(R::Size - 1, '\0'));
    test::writeBytes(toolbar, std::string(TToolbarConfig::Size - 1, '\1'));
    for (auto read : {std::function<void()>([&] { readSettingsFile(settings); }),
                      std::function<void()>([&] { readToolbarConfigFile(toolbar); })}) {
        try {
            read();
            ADD_FAILURE() << "no error";
        } catch (const EInOutError& e) {
            EXPECT_NE(std::string(e.what()).find(folder.path().string()), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(readSettingsFile(folder.path() / "missing.dat"), EInOutError);

    // One record followed by more bytes reads the record.
    test::writeBytes(settings, encodeSettings(defaultSettings()) + "trailing");
    EXPECT_EQ(readSettingsFile(settings), defaultSettings());
}

TEST(ToolbarConfig, OnlyTheValueOneCountsAsChecked) {
    Bytes b(TToolbarConfig::Size, 0);
    b[0] = 1;    // flat buttons
    b[1] = 2;    // lines between toolbars: not 1, so off
    b[2] = 1;    // item 0
    b[3] = 2;    // item 1
    b[4] = 0xFF; // item 2
    b[44] = 1;   // item 42
    TToolbarConfig c = decodeToolbarConfig(b.data());
    EXPECT_TRUE(c.flatButtons);
    EXPECT_FALSE(c.linesBetweenToolbars);
    EXPECT_TRUE(c.items[0]);
    EXPECT_FALSE(c.items[1]);
    EXPECT_FALSE(c.items[2]);
    EXPECT_TRUE(c.items[42]);
    EXPECT_EQ(std::count(c.items.begin(), c.items.end(), true), 2);

    std::string encoded = encodeToolbarConfig(c);
    ASSERT_EQ(encoded.size(), TToolbarConfig::Size);
    EXPECT_EQ(decodeToolbarConfig(reinterpret_cast<const std::uint8_t*>(encoded.data())), c);
}

TEST(PlotStepText, ConvertsAfterRemovingTheFirstComma) {
    const std::pair<const char*, int> good[] = {
        {"256", 256}, {"1,024", 1024}, {"1000000", 1000000}, {"32", 32}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(plotStepFromText(text), value) << text;
    for (const char* bad : {"", "abc", "1,0,24", ",", "2.5"})
        EXPECT_THROW(plotStepFromText(bad), EConvertError) << bad;
    EXPECT_EQ(plotStepToText(256), "256");
    EXPECT_EQ(plotStepToText(-2147483647 - 1), "-214748364"); // cut to 10 characters
}

struct DamageCase {
    const char* name;
    std::function<void(R&)> damage;
    const char* reported; // start of the entry in the replaced list
    std::function<bool(const R&)> repaired;
};

TEST(SanitizedSettings, ReplacesUnusableValuesAndSaysWhich) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    const R d = defaultSettings();
    // A whole-number field set to `bad`: reported, and back to its default value.
    auto wholeNumber = [&d](const char* name, std::int32_t R::*field, std::int32_t bad,
                            const char* reported) {
        return DamageCase{name, [=](R& r) { r.*field = bad; }, reported,
                          [&d, field](const R& r) { return r.*field == d.*field; }};
    };
    const DamageCase cases[] = {
        {"x min NaN", [&](R& r) { r.Xmin = nan; }, "x range",
         [&](const R& r) { return r.Xmin == d.Xmin && r.Xmax == d.Xmax; }},
        {"x empty", [](R& r) { r.Xmin = r.Xmax = 3; }, "x range",
         [&](const R& r) { return r.Xmin == d.Xmin; }},
        {"x reversed",
         [](R& r) {
             r.Xmin = 5;
             r.Xmax = -5;
         },
         "x range", [&](const R& r) { return r.Xmax == d.Xmax; }},
        {"x range overflows",
         [](R& r) {
             r.Xmin = -std::numeric_limits<long double>::max();
             r.Xmax = std::numeric_limits<long double>::max();
         },
         "x range", [&](const R& r) { return r.Xmin == d.Xmin; }},
        {"x too narrow to step",
         [&](R& r) {
             r.Xmin = 1e30;
             r.Xmax = std::nextafter(1e30L, inf);
         },
         "x range", [&](const R& r) { return r.Xmin == d.Xmin; }},
        {"y max infinite", [&](R& r) { r.Ymax = inf; }, "y range",
         [&](const R& r) { return r.Ymax == d.Ymax; }},
        {"t empty", [](R& r) { r.Tmax = r.Tmin; }, "t range", [&](const R& r) { return r.Tmax == d.Tmax; }},
        {"plot step value NaN", [&](R& r) { r.PlotStep = nan; }, "plot step value",
         [](const R& r) { return r.PlotStep == 20.0L / 256 * 0.25L; }},
        {"plot step text", [](R& r) { r.plotStepText = "lots"; }, "plot step \"lots\"",
         [](const R& r) { return r.plotStepText == "256"; }},
        {"plot step too small", [](R& r) { r.plotStepText = "0"; }, "plot step",
         [](const R& r) { return r.plotStepText == "256"; }},
        {"plot step too large", [](R& r) { r.plotStepText = "2000000"; }, "plot step",
         [](const R& r) { return r.plotStepText == "256"; }},
        wholeNumber("font size zero", &R::fontSize, 0, "font size 0"),
        wholeNumber("font size huge", &R::fontSize, 2000000000, "font size"),
        wholeNumber("graph line zero", &R::graphLineThickness, 0, "graph line thickness 0"),
        wholeNumber("axis line negative", &R::axisLineThickness, -3, "axis line thickness -3"),
        wholeNumber("grid line huge", &R::gridLineThickness, 100000, "grid line thickness"),
        wholeNumber("mark type 0", &R::MarkType, 0, "mark type 0"),
        wholeNumber("mark type 13", &R::MarkType, 13, "mark type 13"),
        {"sig figs 0", [](R& r) { r.significantFigures = 0; }, "significant figures 0",
         [](const R& r) { return r.significantFigures == 6; }},
        {"sig figs 15", [](R& r) { r.significantFigures = 15; }, "significant figures 15",
         [](const R& r) { return r.significantFigures == 6; }},
        wholeNumber("family size", &R::familySize, -1, "family size -1"),
        {"last graph", [](R& r) { r.LastGraph = 100; }, "last graph 100",
         [](const R& r) { return r.LastGraph == -1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        R damaged = d;
        c.damage(damaged);
        TSanitizedSettings s = sanitized(damaged);
        ASSERT_EQ(s.replaced.size(), 1u);
        EXPECT_EQ(s.replaced[0].rfind(c.reported, 0), 0u) << s.replaced[0];
        EXPECT_TRUE(c.repaired(s.record));
    }
}

TEST(SanitizedSettings, KeepsUsableValuesAndEdgesOfTheRanges) {
    R r = defaultSettings();
    r.MarkType = 12;
    r.significantFigures = 14;
    r.plotStepText = "1,000,000"; // only the first comma goes: "1000,000" is not a number
    r.fontSize = 1;
    TSanitizedSettings s = sanitized(r);
    ASSERT_EQ(s.replaced.size(), 1u);
    r.plotStepText = "32";
    r.LastGraph = -2;
    EXPECT_TRUE(sanitized(r).replaced.empty());
    EXPECT_EQ(sanitized(r).record, r);
}

TEST(SanitizedSettings, AnyBytesGiveAUsableRecord) {
    std::mt19937 random(99);
    for (int i = 0; i < 2000; ++i) {
        Bytes b(R::Size);
        for (auto& byte : b)
            byte = static_cast<std::uint8_t>(random());
        TSanitizedSettings s = sanitized(decodeSettings(b.data()));
        const R& r = s.record;
        ASSERT_TRUE(std::isfinite(r.Xmin) && std::isfinite(r.Xmax) && r.Xmin < r.Xmax);
        ASSERT_TRUE(std::isfinite(r.Ymin) && std::isfinite(r.Ymax) && r.Ymin < r.Ymax);
        ASSERT_TRUE(std::isfinite(r.PlotStep) && r.PlotStep > 0);
        ASSERT_TRUE(r.MarkType >= 1 && r.MarkType <= 12);
        ASSERT_TRUE(sanitized(r).replaced.empty()); // a sanitized record needs nothing more
    }
}

} // namespace
} // namespace kurvo
