// The graph file: its positional layout against a file written out by hand, writing and reading
// back line for line, and damaged files refused whole with the file and line named.
#include "GraphFile.h"
#include "DataFolder.h"
#include "Defaults.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace kurvo {
namespace {

using Lines = std::vector<std::string>;

// Every field different from its neighbours, so a swapped or shifted line shows.
TGraphFile sampleGraph() {
    TGraphFile g;
    TSettingsRecord& s = g.settings;
    s.showAsymptotes = true, s.showPlot = false, s.showAxes = true, s.showGrid = true;
    s.minorAxisDivisions = false, s.axisMarkers = true, s.axisLabels = false, s.piAxis = false;
    s.largeGrid = true;
    s.AutoYScaling = true, s.reserved429 = false, s.DegreeMode = true, s.reserved431 = true;
    s.asymptoteBeep = false, s.CartesianMode = true, s.ParametricMode = false, s.ImplicitMode = false;
    s.reserved436 = true, s.PlotDerived = false, s.PlotIntegral = true;
    s.ShowCoordinateInfo = false, s.SquareAxes = true, s.ShowTangent = false, s.showHints = true;
    s.connectMarks = true, s.FamilyPlotting = false, s.coordsSnapToGraph = true;
    s.Xmin = -10, s.Xmax = 10, g.XRange = 20;
    s.Ymin = -7.5, s.Ymax = 7, g.YRange = 14.5;
    s.Tmin = 0, s.Tmax = 6.25, g.TRange = 6.25;
    s.PlotStep = 0.078125, s.reserved440 = 1e20, s.reserved450 = 1.5e-7;
    s.MarkType = 9, s.familySize = 5, s.LastGraph = 2;
    s.graphLineThickness = 2, s.axisLineThickness = 1, s.gridLineThickness = 3;
    s.fontSize = 11, s.fontColour = 255, s.backgroundColour = 16777215;
    s.axesColour = 1, s.asymptotesColour = 2, s.derivativeColour = 3, s.integralColour = 4;
    s.gridColour = 5, s.traceLinesColour = 6, s.tangentColour = 7;
    s.GraphColours = {11, 12, 13, 14, 15};
    s.MarkColours = {-21, 22, 23, 24, 25};
    s.significantFigures = 14;
    s.fontName = "DejaVu Sans", s.XAxisName = "time", s.YAxisName = "speed\xB2", s.plotStepText = "256";
    s.ConstantValues = {2.5, -2.5, 0, 1e20, -0.001, 123456.789, 1.5e-7, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    s.FamilySteps.fill(0.5);
    s.FamilySteps[0] = 0.25, s.FamilySteps[15] = 1e-300;
    s.savedConstants.fill(1);
    s.savedConstants[15] = -1e300;
    g.formulas = {"x^2", "sin(x)\xB2", "y=2x+1"};
    g.dataSetLines = {"1,2", "3,4", "#"};
    return g;
}

// sampleGraph() as the file must hold it, line by line.
const char* const sampleText = R"(Kurvofile  Created with Kurvo32 v1.0 (32 bit Windows version)
T
F
T
T
F
T
F
F
T
T
F
T
T
F
T
F
F
T
F
T
F
T
F
T
T
F
T
T
T
T
T
T
T
T
T
T
T
-10
10
20
-7.5
7
14.5
0
6.25
6.25
0.078125
1E20
1.5E-7
T
T
T
T
T
T
T
T
T
T
9
5
2
2
1
3
11
255
16777215
1
2
3
4
5
6
7
11
12
13
14
15
-21
22
23
24
25
14
T
T
T
T
T
T
T
T
T
T
DejaVu Sans
time
speed)"
                               "\xB2"
                               R"(
256
T
T
T
T
T
T
T
T
T
T
 2.50000000000000E+0000
-2.50000000000000E+0000
 0.00000000000000E+0000
 1.00000000000000E+0020
-1.00000000000000E-0003
 1.23456789000000E+0005
 1.50000000000000E-0007
 3.00000000000000E+0000
 4.00000000000000E+0000
 5.00000000000000E+0000
 6.00000000000000E+0000
 7.00000000000000E+0000
 8.00000000000000E+0000
 9.00000000000000E+0000
 1.00000000000000E+0001
 1.10000000000000E+0001
 2.50000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 5.00000000000000E-0001
 1.00000000000000E-0300
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
 1.00000000000000E+0000
-1.00000000000000E+0300
x^2
sin(x))"
                               "\xB2"
                               R"(
y=2x+1
###Datasets
1,2
3,4
#)";

Lines sampleLines() {
    return splitLines(sampleText);
}

std::string crlf(const Lines& lines) {
    return joinLines(lines);
}

TEST(GraphFileLayout, WriterGivesTheLayoutLineForLine) {
    Lines expected = sampleLines();
    ASSERT_EQ(expected.size(), GraphFileFixedLines + 3 + 1 + 3);
    std::string bytes = encodeGraphFile(sampleGraph());
    EXPECT_EQ(bytes, crlf(expected));
    Lines written = splitLines(bytes);
    for (std::size_t i = 0; i < expected.size() && i < written.size(); ++i)
        EXPECT_EQ(written[i], expected[i]) << "line " << i + 1;
}

TEST(GraphFileLayout, ReaderTakesEveryValueFromItsLine) {
    TGraphFileRead read = decodeGraphFile(crlf(sampleLines()), "g.kvo");
    EXPECT_EQ(read.graph, sampleGraph());
    EXPECT_EQ(read.droppedFormulas, 0u);
    EXPECT_TRUE(read.rejected.empty());
    // Line feeds alone read the same.
    EXPECT_EQ(decodeGraphFile(sampleText, "g.kvo").graph, sampleGraph());
}

TEST(GraphFileLayout, SavedDrawingReadsBackLineForLine) {
    TGraphFile g;
    g.settings = defaultSettings();
    g.settings.ConstantValues[3] = 1.0L / 3; // more digits than the file keeps
    g.settings.Tmax = 2 * 3.14159265358979323846L;
    g.XRange = g.settings.Xmax - g.settings.Xmin;
    g.formulas = {"x\xB2", "1/x", "sin(2t),cos(3t)"};
    g.dataSetLines = {"0,0", "1.5,-2", "#", "#", "1E-7,3", "#"};
    std::string once = encodeGraphFile(g);
    TGraphFileRead read = decodeGraphFile(once, "g.kvo");
    EXPECT_EQ(encodeGraphFile(read.graph), once);
    EXPECT_EQ(read.graph.formulas, g.formulas);
    EXPECT_EQ(read.graph.dataSetLines, g.dataSetLines);
    EXPECT_EQ(read.graph.settings.fontName, g.settings.fontName);
    EXPECT_NEAR(static_cast<double>(read.graph.settings.ConstantValues[3]), 1.0 / 3, 1e-15);
}

TEST(GraphFileLayout, ValuesThatAreNotFiniteReadBack) {
    TGraphFile g = sampleGraph();
    g.settings.Xmin = -std::numeric_limits<long double>::infinity();
    g.settings.ConstantValues[0] = std::numeric_limits<long double>::quiet_NaN();
    g.settings.FamilySteps[1] = std::numeric_limits<long double>::infinity();
    std::string once = encodeGraphFile(g);
    Lines lines = splitLines(once);
    EXPECT_EQ(lines[38], "-INF");
    EXPECT_EQ(lines[111], "NAN");
    EXPECT_EQ(lines[128], "INF");
    TGraphFileRead read = decodeGraphFile(once, "g.kvo");
    EXPECT_TRUE(std::isinf(read.graph.settings.Xmin) && read.graph.settings.Xmin < 0);
    EXPECT_TRUE(std::isnan(read.graph.settings.ConstantValues[0]));
    EXPECT_EQ(encodeGraphFile(read.graph), once);
}

TEST(GraphFileWriter, StopsAtTheFirstEmptyFormulaAndLineAndCutsTexts) {
    TGraphFile g = sampleGraph();
    g.formulas = {"x", "", "y"};
    g.dataSetLines = {"1,2", "#", "", "3,4", "#"};
    g.settings.fontName = std::string(300, 'f');
    g.settings.plotStepText = "12345678901234";
    g.settings.coordsSnapToGraph = false;
    Lines lines = splitLines(encodeGraphFile(g));
    for (std::size_t line : {28, 29, 38, 51, 60, 88, 97, 102, 111}) // the reserved groups repeat line 28
        EXPECT_EQ(lines[line - 1], "F") << line;
    ASSERT_EQ(lines.size(), GraphFileFixedLines + 1 + 1 + 2);
    EXPECT_EQ(lines[97], std::string(255, 'f'));
    EXPECT_EQ(lines[100], "1234567890");
    EXPECT_EQ(lines[159], "x");
    EXPECT_EQ(lines[160], "###Datasets");
    EXPECT_EQ(lines[162], "#");

    g.formulas.assign(GraphSlotCount + 5, std::string(300, 'q'));
    lines = splitLines(encodeGraphFile(g));
    EXPECT_EQ(lines[GraphFileFixedLines + GraphSlotCount], "###Datasets");
    EXPECT_EQ(lines[GraphFileFixedLines], std::string(255, 'q'));

    g.formulas.clear();
    lines = splitLines(encodeGraphFile(g));
    EXPECT_EQ(lines[GraphFileFixedLines], "###Datasets");
}

TEST(GraphFileWriter, RefusesWhatCouldNotBeReadBack) {
    const std::pair<const char*, void (*)(TGraphFile&)> cases[] = {
        {"line break in a formula", [](TGraphFile& g) { g.formulas[1] = "x\ny"; }},
        {"formula beginning ###", [](TGraphFile& g) { g.formulas[0] = "###x"; }},
        {"line break in a text", [](TGraphFile& g) { g.settings.XAxisName = "a\nb"; }},
        {"line break in a data line", [](TGraphFile& g) { g.dataSetLines[0] = "1,2\n3,4"; }},
    };
    test::TempFolder temp;
    for (const auto& [what, change] : cases) {
        TGraphFile g = sampleGraph();
        change(g);
        EXPECT_THROW(encodeGraphFile(g), std::invalid_argument) << what;
        try {
            writeGraphFile(temp.path() / "g.kvo", g);
            ADD_FAILURE() << what;
        } catch (const EInOutError& e) {
            EXPECT_NE(std::string(e.what()).find("g.kvo"), std::string::npos) << e.what();
        }
    }
    EXPECT_TRUE(temp.names().empty()); // nothing written, not even a temporary file
}

TEST(GraphFileWriter, WritesTheWholeFileAtomically) {
    test::TempFolder temp;
    writeGraphFile(temp.path() / "g.kvo", sampleGraph());
    EXPECT_EQ(test::readBytes(temp.path() / "g.kvo"), crlf(sampleLines()));
    EXPECT_EQ(readGraphFile(temp.path() / "g.kvo").graph, sampleGraph());
    EXPECT_THROW(writeGraphFile(temp.path() / "no" / "g.kvo", sampleGraph()), EInOutError);
    EXPECT_EQ(temp.names(), Lines{"g.kvo"});
}

struct DamageCase {
    const char* what;
    std::size_t line;        ///< from 1; 0 = no line changed
    const char* text;        ///< the line's new text
    std::size_t keepLines;   ///< cut the file to this many lines; 0 = keep all
    int errorLine;           ///< 0 = reads
    const char* errorReason; ///< part of the message
};

TEST(GraphFileReader, DamagedFilesAreRefusedNamingTheLine) {
    const DamageCase cases[] = {
        {"real", 39, "ten", 0, 39, "'ten' is not a valid floating point value"},
        {"real with two commas", 44, "14,5,1", 0, 44, "'14,5,1' is not a valid floating point value"},
        {"empty reserved real", 50, "", 0, 50, "'' is not a valid floating point value"},
        {"integer", 61, "9.5", 0, 61, "'9.5' is not a valid integer value"},
        {"integer beyond 32 bits", 69, "4294967296", 0, 69, "'4294967296' is not a valid integer value"},
        {"last integer", 87, "", 0, 87, "'' is not a valid integer value"},
        {"fixed real", 112, "2;5E+0000", 0, 112, "'2;5E+0000' is not a valid floating point value"},
        {"empty fixed real", 159, "   ", 0, 159, "'   ' is not a valid floating point value"},
        {"ends in the flags", 0, "", 20, 21, "the file ends before this line"},
        {"ends in a reserved group", 0, "", 33, 34, "the file ends before this line"},
        {"ends in the fixed reals", 0, "", 150, 151, "the file ends before this line"},
        {"ends in the formulas", 0, "", 161, 162, "the file ends before the \"###Datasets\" line"},
        {"empty", 0, "", 0, 1, "the file ends before this line"},
        {"flag other than T reads as false", 2, "t", 0, 0, ""},
        {"reserved lines are not read", 29, "anything", 0, 0, ""},
        {"fixed real with text after it", 112, "  2.5 and more", 0, 0, ""},
        {"header not looked at", 1, "", 0, 0, ""},
    };
    for (const auto& c : cases) {
        Lines lines = sampleLines();
        if (c.line > 0) lines[c.line - 1] = c.text;
        if (c.keepLines > 0) lines.resize(c.keepLines);
        if (std::string_view(c.what) == "empty") lines.clear();
        try {
            TGraphFileRead read = decodeGraphFile(crlf(lines), "dir/g.kvo");
            EXPECT_EQ(c.errorLine, 0) << c.what;
            EXPECT_EQ(read.graph.formulas, sampleGraph().formulas) << c.what;
        } catch (const EGraphFileError& e) {
            EXPECT_EQ(e.line(), c.errorLine) << c.what;
            EXPECT_EQ(e.file(), "dir/g.kvo");
            EXPECT_EQ(std::string(e.what()),
                      "dir/g.kvo, line " + std::to_string(c.errorLine) + ": " + c.errorReason);
        }
    }
    Lines lines = sampleLines();
    lines[1] = "t";
    lines[111] = "  2.5 and more";
    TGraphFileRead read = decodeGraphFile(crlf(lines), "g.kvo");
    EXPECT_FALSE(read.graph.settings.showAsymptotes);
    EXPECT_EQ(read.graph.settings.ConstantValues[0], 2.5);
}

/// Sets the C library's locale to one with a decimal comma while it lives (false: not installed).
struct CommaLocale {
    std::string saved = std::setlocale(LC_ALL, nullptr);
    bool ok = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr || std::setlocale(LC_ALL, "de_DE.utf8") != nullptr;
    ~CommaLocale() { std::setlocale(LC_ALL, saved.c_str()); }
};

TEST(GraphFileLocale, ACommaLocaleWritesTheSameBytes) {
    TGraphFile g = sampleGraph();
    g.settings.Tmax = 2 * 3.14159265358979323846L;
    g.settings.ConstantValues[3] = -1.0L / 3;
    const std::string inC = encodeGraphFile(g);
    CommaLocale comma;
    if (!comma.ok) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(encodeGraphFile(g), inC);
    EXPECT_EQ(decodeGraphFile(inC, "g.kvo").graph, decodeGraphFile(encodeGraphFile(g), "g.kvo").graph);
}

TEST(GraphFileLocale, LinesWrittenWithADecimalCommaReadBack) {
    // Real lines (Xmin is line 39) as earlier versions wrote them under a comma locale, a decimal
    // comma typed by hand, and a fixed real (line 112) with a decimal comma.
    const std::pair<const char*, long double> reals[] = {
        {"-1.,", -1},      {"6.,28318", 6.28318L}, {"6,2.8318", 628.318L}, {"-1,", -10}, {"1,0", 100},
        {"1.,5E20", 1.5e20L}, {"0.5,", 0.5L},      {"14,5", 14.5L},       {"-0,25", -0.25L},
    };
    for (const auto& [text, value] : reals) {
        Lines lines = sampleLines();
        lines[38] = text;
        lines[111] = " 6,28318530717959E+0000";
        const TGraphFileRead read = decodeGraphFile(crlf(lines), "g.kvo");
        EXPECT_NEAR(static_cast<double>(read.graph.settings.Xmin), static_cast<double>(value),
                    1e-12 * std::max(1.0, std::fabs(static_cast<double>(value))))
            << text;
        EXPECT_NEAR(static_cast<double>(read.graph.settings.ConstantValues[0]), 6.28318530717959, 1e-14);
    }
}

TEST(GraphFileModes, ModeLinesFollowTheDataSetsAndReadBack) {
    TGraphFile g = sampleGraph();
    g.graphModes = {TPlotMode{TPlotMode::Kind::Polar, false, false},
                    TPlotMode{TPlotMode::Kind::Implicit, false, true},
                    TPlotMode{TPlotMode::Kind::Cartesian, true, false}};
    ASSERT_EQ(g.formulas.size(), g.graphModes.size());
    const std::string bytes = encodeGraphFile(g);
    const Lines lines = splitLines(bytes);
    const Lines tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail, (Lines{"###Graphs", "polar", "implicit degrees", "cartesian parametric"}));
    EXPECT_EQ(decodeGraphFile(bytes, "g.kvo").graph, g);
    // Without modes the file is as before; an unknown or missing mode line gives the settings' mode.
    EXPECT_EQ(decodeGraphFile(crlf(sampleLines()), "g.kvo").graph.graphModes.size(), 0u);
    Lines damaged(lines.begin(), lines.end() - 2);
    damaged.push_back("sideways");
    const TGraphFile read = decodeGraphFile(crlf(damaged), "g.kvo").graph;
    ASSERT_EQ(read.graphModes.size(), 3u);
    EXPECT_EQ(read.graphModes[0], g.graphModes[0]);
    EXPECT_EQ(read.graphModes[1], TPlotMode::of(g.settings));
    EXPECT_EQ(read.graphModes[2], TPlotMode::of(g.settings));
}

TEST(GraphFileModes, ModeLinesStopWhereTheWrittenFormulasStop) {
    // The file ends its formulas at an empty one: it writes a mode line for each formula written,
    // and none at all when no formula is written, so the file reads back to the same drawing.
    struct Row {
        std::vector<std::string> formulas;
        std::size_t modeLines;
    };
    for (const Row& row : {Row{{"x^2", "", "sin(x)"}, 1}, Row{{"", "x"}, 0}, Row{{}, 0}}) {
        TGraphFile g = sampleGraph();
        g.formulas = row.formulas;
        g.graphModes.assign(3, TPlotMode{TPlotMode::Kind::Polar, false, false});
        const std::string once = encodeGraphFile(g);
        const TGraphFile read = decodeGraphFile(once, "g.kvo").graph;
        EXPECT_EQ(read.graphModes.size(), row.modeLines) << row.formulas.size();
        EXPECT_EQ(encodeGraphFile(read), once) << row.formulas.size();
    }
}

TEST(GraphFileReader, WithoutGraphsTheMarkerFollowsTheFixedReals) {
    Lines lines = sampleLines();
    lines.erase(lines.begin() + GraphFileFixedLines, lines.begin() + GraphFileFixedLines + 3);
    ASSERT_EQ(lines[GraphFileFixedLines], "###Datasets");
    TGraphFileRead read = decodeGraphFile(crlf(lines), "g.kvo");
    EXPECT_TRUE(read.graph.formulas.empty());
    EXPECT_EQ(read.graph.dataSetLines, (Lines{"1,2", "3,4", "#"}));
}

TEST(GraphFileReader, KeepsAHundredFormulasAndCountsTheRest) {
    Lines lines = sampleLines();
    lines.erase(lines.begin() + GraphFileFixedLines, lines.begin() + GraphFileFixedLines + 3);
    for (int i = 0; i < 103; ++i)
        lines.insert(lines.begin() + GraphFileFixedLines + i, "x+" + std::to_string(i));
    lines.insert(lines.begin() + GraphFileFixedLines + 1, ""); // an empty line is an empty slot
    TGraphFileRead read = decodeGraphFile(crlf(lines), "g.kvo");
    ASSERT_EQ(read.graph.formulas.size(), GraphFileMaxFormulas);
    EXPECT_EQ(read.graph.formulas[0], "x+0");
    EXPECT_EQ(read.graph.formulas[1], "");
    EXPECT_EQ(read.graph.formulas[99], "x+98");
    EXPECT_EQ(read.droppedFormulas, 4u);
    // Any line beginning "###" ends the formulas.
    lines = sampleLines();
    lines[GraphFileFixedLines + 3] = "###";
    EXPECT_EQ(decodeGraphFile(crlf(lines), "g.kvo").graph.dataSetLines, (Lines{"1,2", "3,4", "#"}));
}

TEST(GraphFileReader, DataSectionKeepsPointsAndReportsBadPointLines) {
    Lines lines = sampleLines();
    lines.resize(GraphFileFixedLines + 4);
    const std::size_t first = lines.size() + 1; // line number of the first data line
    for (const char* line : {"1,2", "", "a comment", "1,x", "#", "3,4", " # ", "5,6,7", "8,9"})
        lines.push_back(line);
    TGraphFileRead read = decodeGraphFile(crlf(lines), "g.kvo");
    EXPECT_EQ(read.graph.dataSetLines, (Lines{"1,2", "#", "3,4", "8,9", "#"}));
    ASSERT_EQ(read.rejected.size(), 2u);
    EXPECT_EQ(read.rejected[0], (TRejectedLine{"g.kvo", static_cast<int>(first + 3), "1,x"}));
    EXPECT_EQ(read.rejected[1], (TRejectedLine{"g.kvo", static_cast<int>(first + 7), "5,6,7"}));

    lines.resize(GraphFileFixedLines + 4);
    EXPECT_TRUE(decodeGraphFile(crlf(lines), "g.kvo").graph.dataSetLines.empty());
}

TEST(GraphFileSettings, PasswordAndOutlineStayAsTheyWere) {
    TSettingsRecord current = defaultSettings();
    current.adminPassword = "secret";
    current.outlineMarks = true;
    TSettingsRecord fromFile = sampleGraph().settings;
    TSettingsRecord merged = withGraphFileSettings(current, fromFile);
    EXPECT_EQ(merged.adminPassword, "secret");
    EXPECT_TRUE(merged.outlineMarks);
    merged.adminPassword.clear();
    merged.outlineMarks = false;
    EXPECT_EQ(merged, fromFile);

    // The file holds neither: records differing only in them give the same file.
    TGraphFile a = sampleGraph(), b = sampleGraph();
    b.settings.adminPassword = "secret";
    b.settings.outlineMarks = true;
    EXPECT_EQ(encodeGraphFile(a), encodeGraphFile(b));
}

} // namespace
} // namespace kurvo
