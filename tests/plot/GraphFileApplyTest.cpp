// Opening graph and data-set files into the drawing, and saving the drawing as a graph file.
#include "PlotTestSupport.h"

#include "AtomicFile.h"
#include "DataFolder.h"
#include "Errors.h"
#include "GraphFileApply.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kurvo;
using kurvo::test::Bgr;
using kurvo::test::PlotFixture;

namespace {

struct FileFixture : PlotFixture {
    QTemporaryDir dir;
    std::filesystem::path file(const std::string& name) const {
        return std::filesystem::path(dir.path().toStdString()) / name;
    }
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        writeFileAtomically(file(name), bytes);
        return file(name);
    }
    QColor at(double x, double y) const { return pixel(engine->WorldToPixelX(x), engine->WorldToPixelY(y)); }
};

TEST(GraphFileOpen, SaveThenOpenGivesTheSameFileLineForLine) {
    FileFixture a;
    a.settings.DegreeMode = true;
    a.settings.ConstantValues[0] = 2.5;
    a.settings.GraphColours[1] = Bgr(1, 2, 3);
    a.settings.MarkType = 7;
    a.host.fields = {"0", "3", "-4", "6", "-2", "9"};
    a.plotAll({"a*x", "sin(x)", "x^3-1"});
    a.engine->Document.DataSets.appendLines({"1,2", "3,4", "#"});
    const auto saved = a.file("drawing.kvo");
    saveGraphFile(a.engine->Document, saved);

    FileFixture b;
    ASSERT_TRUE(openChosenFile(*b.engine, saved));
    EXPECT_EQ(b.settings.Xmin, -4);
    EXPECT_EQ(b.settings.Ymax, 9);
    EXPECT_TRUE(b.settings.DegreeMode);
    EXPECT_EQ(b.settings.LastGraph, 2);
    EXPECT_EQ(b.host.formula, "a*x");
    const auto again = b.file("again.kvo");
    saveGraphFile(b.engine->Document, again);
    EXPECT_EQ(readFileBytes(again), readFileBytes(saved));
}

TEST(GraphFileOpen, DrawsEveryGraphAndAddsNewGraphsAfterThem) {
    FileFixture a;
    a.plotAll({"2", "-3"});
    const auto saved = a.file("two.kvo");
    saveGraphFile(a.engine->Document, saved);

    FileFixture b;
    openChosenFile(*b.engine, saved);
    EXPECT_EQ(b.at(1, 2), b.graph(0));
    EXPECT_EQ(b.at(1, -3), b.graph(1)) << "the second graph of the file is drawn too";
    b.plot("5");
    EXPECT_EQ(b.settings.LastGraph, 2);
    EXPECT_EQ(b.engine->Document.UserFormulas[1], "-3");
    EXPECT_EQ(b.at(1, 5), b.graph(2));
}

TEST(GraphFileOpen, AFileThatFailsLeavesTheDrawingAsItWas) {
    FileFixture a;
    a.plotAll({"x", "2x"});
    const auto saved = a.file("good.kvo");
    saveGraphFile(a.engine->Document, saved);
    std::string bytes = readFileBytes(saved);
    // Line 42 (Ymin) no longer converts; everything before it read well.
    std::vector<std::string> lines = splitLines(bytes);
    lines[41] = "minus seven";
    std::string damaged;
    for (const auto& l : lines)
        damaged += l + "\r\n";
    const auto bad = a.write("bad.kvo", damaged);

    FileFixture b;
    b.settings.DegreeMode = true;
    b.plot("x^2");
    b.engine->Document.DataSets.appendLines({"1,1", "#"});
    const TSettingsRecord settingsBefore = b.settings;
    const auto formulasBefore = b.engine->Document.UserFormulas;
    try {
        openChosenFile(*b.engine, bad);
        FAIL() << "no error";
    } catch (const EGraphFileError& e) {
        EXPECT_EQ(e.line(), 42);
        EXPECT_NE(std::string(e.what()).find("bad.kvo, line 42"), std::string::npos) << e.what();
    }
    EXPECT_EQ(b.settings, settingsBefore);
    EXPECT_EQ(b.engine->Document.UserFormulas, formulasBefore);
    EXPECT_EQ(b.engine->Document.DataSets.lines(), (std::vector<std::string>{"1,1", "#"}));
    EXPECT_EQ(b.host.formula, "x^2");
}

TEST(GraphFileOpen, DataSetsAreAppendedAndCountedPerSet) {
    FileFixture a;
    a.engine->Document.DataSets.appendLines({"1,1", "#", "2,2", "#"});
    const auto saved = a.file("sets.kvo");
    saveGraphFile(a.engine->Document, saved);

    FileFixture b;
    b.engine->Document.DataSets.appendLines({"5,5", "#"});
    b.engine->Document.DataSets.setDataSetCount(1);
    openChosenFile(*b.engine, saved);
    EXPECT_EQ(b.engine->Document.DataSets.lines(),
              (std::vector<std::string>{"5,5", "#", "1,1", "#", "2,2", "#"}));
    EXPECT_EQ(b.engine->Document.DataSets.dataSetCount(), 3);
    EXPECT_TRUE(b.engine->Document.DataSetPlotting);
    EXPECT_EQ(b.settings.LastGraph, -1) << "a file without graphs";
    EXPECT_EQ(b.engine->Document.UserFormulas[0], "");
}

TEST(GraphFileOpen, BadPointLinesAndSurplusFormulasAreReportedOnce) {
    FileFixture a;
    a.plot("x");
    std::string bytes = encodeGraphFile(graphFileOf(a.engine->Document));
    bytes += "1,1\r\nnot,a point\r\n# comment\r\n2,2\r\n#\r\n";
    const auto file = a.write("mixed.kvo", bytes);
    FileFixture b;
    openChosenFile(*b.engine, file);
    EXPECT_EQ(b.engine->Document.DataSets.lines(), (std::vector<std::string>{"1,1", "2,2", "#"}));
    ASSERT_EQ(b.host.messages.size(), 1u);
    EXPECT_NE(b.host.messages[0].find("mixed.kvo, line"), std::string::npos) << b.host.messages[0];
    EXPECT_NE(b.host.messages[0].find("not,a point"), std::string::npos);
}

TEST(GraphFileOpen, AFormulaThatDoesNotTranslateIsReportedAndKept) {
    FileFixture a;
    a.plot("1");
    TGraphFile g = graphFileOf(a.engine->Document);
    g.formulas = {"1", "x+", "3"};
    const auto file = a.write("typo.kvo", encodeGraphFile(g));
    FileFixture b;
    openChosenFile(*b.engine, file);
    ASSERT_EQ(b.host.messages.size(), 1u);
    EXPECT_NE(b.host.messages[0].find("typo.kvo cannot be drawn:\nx+: "), std::string::npos)
        << b.host.messages[0];
    EXPECT_EQ(b.at(2, 1), b.graph(0));
    EXPECT_EQ(b.at(2, 3), b.graph(2));
    EXPECT_EQ(b.countInImage(b.graph(1)), 0) << "nothing drawn for the formula that failed";
    EXPECT_EQ(graphFileOf(b.engine->Document).formulas, g.formulas) << "saved again as it was";
}

TEST(GraphFileOpen, UnknownEndingsChangeNothing) {
    for (const char* name : {"drawing.KVO", "points.CSV", "notes.doc"}) {
        FileFixture f;
        const auto file = f.write(name, "1,2\r\n");
        EXPECT_FALSE(openChosenFile(*f.engine, file)) << name;
        EXPECT_TRUE(f.engine->Document.DataSets.empty()) << name;
        EXPECT_EQ(f.host.messages.size(), 1u) << name;
    }
}

TEST(GraphFileSave, OnlyTheLiveSlotsAreSaved) {
    FileFixture f;
    f.plotAll({"x", "2x", "3x"});
    f.settings.LastGraph = 0; // as automatic y-scaling leaves it
    EXPECT_EQ(graphFileOf(f.engine->Document).formulas, std::vector<std::string>{"x"});
}

TEST(GraphFileOpen, UnusableSettingsAreReplacedAndSaid) {
    FileFixture a;
    a.plot("x");
    TGraphFile g = graphFileOf(a.engine->Document);
    g.settings.MarkType = 40;
    g.settings.fontSize = 0;
    g.settings.LastGraph = 500; // not used: the formulas decide
    const auto file = a.write("odd.kvo", encodeGraphFile(g));
    FileFixture b;
    openChosenFile(*b.engine, file);
    EXPECT_EQ(b.settings.MarkType, defaultSettings().MarkType);
    ASSERT_FALSE(b.host.messages.empty());
    EXPECT_NE(b.host.messages[0].find("mark type"), std::string::npos) << b.host.messages[0];
    EXPECT_EQ(b.host.messages[0].find("last graph"), std::string::npos) << b.host.messages[0];
    EXPECT_EQ(b.settings.LastGraph, 0);
}

TEST(GraphFileOpen, FamilyModeDrawsTheWholeFamily) {
    FileFixture a;
    a.plot("a");
    TGraphFile g = graphFileOf(a.engine->Document);
    g.settings.FamilyPlotting = true;
    g.settings.familySize = 3;
    g.settings.ConstantValues[0] = 1; // a
    g.settings.FamilySteps.fill(0);
    g.settings.FamilySteps[0] = 2;
    const auto file = a.write("family.kvo", encodeGraphFile(g));
    FileFixture b;
    openChosenFile(*b.engine, file);
    for (double y : {1.0, 3.0, 5.0})
        EXPECT_NE(b.at(1, y), QColor(Qt::white)) << "member y=" << y;
    EXPECT_EQ(b.at(1, 7), QColor(Qt::white));
    EXPECT_EQ(b.settings.ConstantValues[0], 1) << "the constants are unchanged";
}

TEST(DataSetImport, CountsSetsKeepsHeaderEmptiesFormulaAndDraws) {
    FileFixture f;
    f.settings.MarkColours[0] = Bgr(0, 200, 0);
    f.settings.MarkType = 1;
    f.plot("x");
    const int graphPixels = f.countInImage(f.graph(0));
    ASSERT_GT(graphPixels, 500);
    const auto file = f.write("m.csv", "t,h\r\n1,2\r\nbad\r\n3,4\r\n#\r\n-5,-6");
    EXPECT_TRUE(openChosenFile(*f.engine, file));
    const TGraphDocument& doc = f.engine->Document;
    EXPECT_EQ(doc.DataSets.lines(), (std::vector<std::string>{"1,2", "3,4", "#", "-5,-6", "#"}));
    EXPECT_EQ(doc.DataSets.dataSetCount(), 2);
    EXPECT_EQ(doc.DataSetAxisLabels, "t,h");
    EXPECT_TRUE(doc.DataSetPlotting);
    EXPECT_EQ(f.host.formula, "");
    EXPECT_EQ(f.at(1, 2), f.engine->colour(f.settings.MarkColours[0]));
    EXPECT_EQ(f.at(-5, -6), f.engine->colour(f.settings.MarkColours[1]));
    // Every paint draws the top and left edges in the background colour, which takes the graph's
    // pixel in the top row; the rest of the graph stays.
    EXPECT_GE(f.countInImage(f.graph(0)), graphPixels - 2) << "the graph drawn before stays";
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_NE(f.host.messages[0].find("m.csv, line 3"), std::string::npos) << f.host.messages[0];
}

TEST(DataSetImport, AHeaderRowNamesTheAxes) {
    struct Row {
        const char* bytes;
        const char* x;
        const char* y;
    };
    for (const Row& r : {Row{"time,height\n1,2\n3,4\n", "time", "height"},
                         Row{"time\theight\n1\t2\n", "time", "height"}, // a tab-separated file
                         Row{"heights\n1,2\n", "x", "y"},                // one word names no pair
                         Row{"1,2\n3,4\n", "x", "y"}}) {                  // no header: the names stay
        FileFixture f;
        f.settings.axisLabels = true;
        const bool tsv = std::string(r.bytes).find('\t') != std::string::npos;
        const auto file = f.write(tsv ? "m.tsv" : "m.csv", r.bytes);
        EXPECT_TRUE(openChosenFile(*f.engine, file));
        EXPECT_EQ(f.settings.XAxisName, r.x) << r.bytes;
        EXPECT_EQ(f.settings.YAxisName, r.y) << r.bytes;
    }
}

} // namespace
