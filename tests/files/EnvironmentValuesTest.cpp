// The environment dialog's rules without widgets: Store, its refusals, and OK's view and plot step.
#include "EnvironmentValues.h"

#include "DataFolder.h"
#include "Defaults.h"
#include "Errors.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace kurvo {
namespace {

/// Values that differ from the defaults in every field Store copies.
TEnvironmentValues changedValues() {
    TEnvironmentValues v = environmentValues(defaultSettings());
    v.backgroundColour = 0x102030;
    v.fontColour = 0x0000FF;
    v.axesColour = 0x010101;
    v.asymptotesColour = 0x020202;
    v.derivativeColour = 0x030303;
    v.integralColour = 0x040404;
    v.gridColour = 0x050505;
    v.traceLinesColour = 0x060606;
    v.tangentColour = 0x070707;
    v.GraphColours = {0x11, 0x12, 0x13, 0x14, 0x15};
    v.MarkColours = {0x21, 0x22, 0x23, 0x24, 0x25};
    v.graphLineThickness = "5";
    v.axisLineThickness = "3";
    v.gridLineThickness = "50";
    v.fontName = "DejaVu Serif";
    v.fontSize = 14;
    for (bool TEnvironmentValues::*flag :
         {&TEnvironmentValues::showPlot, &TEnvironmentValues::showAxes, &TEnvironmentValues::showGrid,
          &TEnvironmentValues::minorAxisDivisions, &TEnvironmentValues::axisMarkers,
          &TEnvironmentValues::axisLabels, &TEnvironmentValues::showHints,
          &TEnvironmentValues::coordsSnapToGraph, &TEnvironmentValues::showAsymptotes,
          &TEnvironmentValues::asymptoteBeep, &TEnvironmentValues::connectMarks,
          &TEnvironmentValues::outlineMarks})
        v.*flag = !(v.*flag);
    v.significantFigures = 14;
    v.plotStep = 1000;
    return v;
}

TEST(EnvironmentStore, CopiesEveryValueAndReadsBackFromTheWrittenRecord) {
    const TEnvironmentValues v = changedValues();
    TSettingsRecord s = defaultSettings();
    const TSettingsRecord before = s;
    storeEnvironment(v, s);

    // What Store copies is what the dialog shows on reopening.
    TEnvironmentValues shown = environmentValues(s);
    shown.plotStep = v.plotStep; // the plot step text is OK's to write, not Store's
    EXPECT_EQ(shown.backgroundColour, v.backgroundColour);
    EXPECT_EQ(shown.GraphColours, v.GraphColours);
    EXPECT_EQ(shown.MarkColours, v.MarkColours);
    EXPECT_EQ(s.graphLineThickness, 5);
    EXPECT_EQ(s.gridLineThickness, 50);
    EXPECT_EQ(s.showHints, !before.showHints);
    EXPECT_EQ(s.outlineMarks, !before.outlineMarks);
    EXPECT_EQ(s.plotStepText, before.plotStepText);
    // Everything the dialog does not edit is left alone.
    EXPECT_EQ(s.piAxis, before.piAxis);
    EXPECT_EQ(s.MarkType, before.MarkType);
    EXPECT_EQ(s.Xmin, before.Xmin);

    // OK writes the whole record; the written file gives the same values back.
    test::TempFolder folder;
    DataFolder data(folder.path());
    takeEnvironmentView({std::nullopt, std::nullopt, "-4", "4", "-3", "3"}, v.plotStep, s);
    data.writeSettings(s);
    const TSettingsRecord read = data.readSettings();
    TEnvironmentValues reread = environmentValues(read);
    EXPECT_EQ(reread.backgroundColour, v.backgroundColour);
    EXPECT_EQ(reread.fontColour, v.fontColour);
    EXPECT_EQ(reread.tangentColour, v.tangentColour);
    EXPECT_EQ(reread.GraphColours, v.GraphColours);
    EXPECT_EQ(reread.MarkColours, v.MarkColours);
    EXPECT_EQ(reread.graphLineThickness, "5");
    EXPECT_EQ(reread.axisLineThickness, "3");
    EXPECT_EQ(reread.gridLineThickness, "50");
    EXPECT_EQ(reread.fontName, "DejaVu Serif");
    EXPECT_EQ(reread.fontSize, 14);
    EXPECT_EQ(reread.plotStep, 1000);
    EXPECT_EQ(read.Xmin, -4);
    EXPECT_EQ(read.Ymax, 3);
    // The written record is one the start-up accepts as it is.
    EXPECT_TRUE(sanitized(read).replaced.empty());
}

TEST(EnvironmentStore, RefusesWhatCannotBeDrawnAndChangesNothing) {
    struct Row {
        const char* name;
        std::function<void(TEnvironmentValues&)> change;
        const char* message; ///< empty: accepted
    };
    const Row rows[] = {
        {"thickness 1", [](auto& v) { v.graphLineThickness = "1"; }, ""},
        {"thickness 50", [](auto& v) { v.axisLineThickness = "50"; }, ""},
        {"thickness 0", [](auto& v) { v.graphLineThickness = "0"; },
         "Graph Line Thickness must be from 1 to 50 pixels, not 0."},
        {"thickness 51", [](auto& v) { v.axisLineThickness = "51"; },
         "Axis Line Thickness must be from 1 to 50 pixels, not 51."},
        {"thickness -3", [](auto& v) { v.gridLineThickness = "-3"; },
         "Grid Line Thickness must be from 1 to 50 pixels, not -3."},
        {"thickness text", [](auto& v) { v.gridLineThickness = "thick"; },
         "'thick' is not a valid integer value"},
        {"thickness empty", [](auto& v) { v.graphLineThickness = ""; }, "'' is not a valid integer value"},
        {"thickness decimal", [](auto& v) { v.graphLineThickness = "2.5"; },
         "'2.5' is not a valid integer value"},
        {"font 200", [](auto& v) { v.fontSize = 200; }, ""},
        {"font 0", [](auto& v) { v.fontSize = 0; }, "The font Size must be from 1 to 200 points, not 0."},
        {"font 201", [](auto& v) { v.fontSize = 201; },
         "The font Size must be from 1 to 200 points, not 201."},
        {"sig figs 0", [](auto& v) { v.significantFigures = 0; }, "Sig. Figs must be from 1 to 14, not 0."},
        {"plot step 31", [](auto& v) { v.plotStep = 31; }, "Plot Step must be from 32 to 1000000, not 31."},
        {"plot step 32", [](auto& v) { v.plotStep = 32; }, ""},
    };
    for (const Row& r : rows) {
        TEnvironmentValues v = changedValues();
        r.change(v);
        TSettingsRecord s = defaultSettings();
        const TSettingsRecord before = s;
        if (*r.message == '\0') {
            EXPECT_NO_THROW(storeEnvironment(v, s)) << r.name;
            EXPECT_EQ(s.backgroundColour, v.backgroundColour) << r.name;
            continue;
        }
        try {
            storeEnvironment(v, s);
            ADD_FAILURE() << r.name << ": accepted";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), r.message) << r.name;
        }
        // The colours were valid, but a refused Store copies nothing at all.
        EXPECT_EQ(s, before) << r.name;
    }
}

TEST(EnvironmentOk, TakesTheViewFromPlainNumbersOnly) {
    struct Row {
        const char* name;
        TViewFieldTexts fields;
        const char* message; ///< empty: taken
    };
    const Row rows[] = {
        {"plain", {"0", "6.5", "-2", "2", "-1.5", "1.5"}, ""},
        {"no t fields", {std::nullopt, std::nullopt, "-2", "2", "-1", "1"}, ""},
        {"blanks around", {std::nullopt, std::nullopt, " -2", "2 ", "-1", "1"}, ""},
        {"an expression",
         {std::nullopt, std::nullopt, "-3/2", "2", "-1", "1"},
         "'-3/2' is not a valid floating point value"},
        {"empty y max",
         {std::nullopt, std::nullopt, "-2", "2", "-1", ""},
         "'' is not a valid floating point value"},
        {"bad t min", {"2*pi", "7", "-2", "2", "-1", "1"}, "'2*pi' is not a valid floating point value"},
    };
    for (const Row& r : rows) {
        TSettingsRecord s = defaultSettings();
        const TSettingsRecord before = s;
        if (*r.message == '\0') {
            takeEnvironmentView(r.fields, 4096, s);
            EXPECT_EQ(s.Xmin, -2) << r.name;
            EXPECT_EQ(s.Xmax, 2) << r.name;
            EXPECT_EQ(s.Tmin, r.fields.tmin ? 0 : before.Tmin) << r.name;
            EXPECT_EQ(s.Tmax, r.fields.tmax ? 6.5L : before.Tmax) << r.name;
            EXPECT_EQ(s.plotStepText, "4096") << r.name;
            continue;
        }
        try {
            takeEnvironmentView(r.fields, 4096, s);
            ADD_FAILURE() << r.name << ": taken";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), r.message) << r.name;
        }
        EXPECT_EQ(s, before) << r.name; // no half-taken view, no plot step
    }
}

} // namespace
} // namespace kurvo
