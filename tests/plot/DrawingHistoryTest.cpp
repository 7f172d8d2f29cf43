// Undo and redo of the drawing: every kind of step, taken back n times and brought back n times,
// gives the same picture and the same graph file; what is not the drawing is never undone.
#include "DrawingEdits.h"
#include "GraphFileApply.h"
#include "PlotTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace kurvo::test {
namespace {

using Field = TPlotHost::Field;

struct HistoryFixture : PlotFixture {
    HistoryFixture() {
        settings.showAxes = true; // the axes show the view and the axis names
        engine->replotAll();
        engine->History.reset();
    }
    /// A command ends: the window commits its change as a step.
    void commit() { engine->History.commit(); }

    /// What the drawing looks like and what its graph file holds, after a full redraw.
    struct Look {
        QImage picture;
        std::string file;
        std::string formula;
        int lastGraph = 0;
    };
    Look look() {
        engine->replotAll();
        return {engine->composedPicture().convertToFormat(QImage::Format_RGB32),
                encodeGraphFile(graphFileOf(engine->Document)), host.formula, settings.LastGraph};
    }
    void expectSame(const Look& a, const Look& b, const std::string& what) {
        EXPECT_TRUE(a.picture == b.picture) << what << ": picture";
        EXPECT_EQ(a.file, b.file) << what << ": graph file";
        EXPECT_EQ(a.formula, b.formula) << what << ": formula field";
        EXPECT_EQ(a.lastGraph, b.lastGraph) << what << ": LastGraph";
    }
    void switchMode(bool cartesian, bool implicit, bool parametric) {
        settings.CartesianMode = cartesian;
        settings.ImplicitMode = implicit;
        settings.ParametricMode = parametric;
        engine->syncModes();
        engine->replotAll();
    }
};

struct StepKind {
    const char* name;
    std::function<void(HistoryFixture&)> before; ///< the drawing the steps start from (committed)
    std::function<void(HistoryFixture&, int)> step;
    const char* description; ///< what Undo says it takes back after the last step
    int n = 3;               ///< steps taken (a repeated Delete All or Equal scale changes nothing)
};

const StepKind Kinds[] = {
    {"plot", [](HistoryFixture&) {},
     [](HistoryFixture& f, int k) { f.plot(k % 2 ? "sin(x)" : "x^2/" + std::to_string(k + 1)); }, "Plot x^2/3"},
    {"family", [](HistoryFixture& f) { f.plot("x^2"); },
     [](HistoryFixture& f, int k) {
         f.host.formula = "a*x+" + std::to_string(k);
         TFamily family{3, {}};
         family.steps[0] = 1;
         f.engine->PlotFamily(family);
     },
     "Family a*x+2"},
    {"delete last graph", [](HistoryFixture& f) { f.plotAll({"1", "2", "3", "4"}); },
     [](HistoryFixture& f, int) { deleteGraphs(*f.engine, TDeleteChoice::LastGraph); }, "Delete last graph"},
    {"delete all", [](HistoryFixture& f) {
         f.plotAll({"1", "x"});
         addTypedDataSet(*f.engine, "t,s", {"1,1", "2,3"});
     },
     [](HistoryFixture& f, int) { deleteGraphs(*f.engine, TDeleteChoice::All); }, "Delete all", 1},
    {"typed points", [](HistoryFixture& f) { f.plot("x"); },
     [](HistoryFixture& f, int k) { addTypedDataSet(*f.engine, "time,speed", {std::to_string(k) + ",2", "3,4"}); },
     "Add typed points"},
    {"delete one graph", [](HistoryFixture& f) { f.plotAll({"1", "2", "3", "4", "5"}); },
     [](HistoryFixture& f, int) { deleteGraph(*f.engine, 1); }, "Delete graph 4"},
    {"edit one graph", [](HistoryFixture& f) { f.plotAll({"1", "2", "3"}); },
     [](HistoryFixture& f, int k) { editGraph(*f.engine, 1, "x+" + std::to_string(k)); }, "Edit graph x+2"},
    {"hide one graph", [](HistoryFixture& f) { f.plotAll({"1", "x"}); },
     [](HistoryFixture& f, int k) { setGraphHidden(*f.engine, k % 2, k < 2); }, "Show graph 1"},
    {"import", [](HistoryFixture&) {},
     [](HistoryFixture& f, int k) {
         applyDataSetImport(*f.engine, readDataSetText("u,v\r\n1," + std::to_string(k) + "\r\n2,5\r\n",
                                                       TFileKind::Csv, "points.csv"));
     },
     "Import data sets"},
    {"transformation", [](HistoryFixture& f) { addTypedDataSet(*f.engine, "x,y", {"1,1", "2,1", "2,3"}); },
     [](HistoryFixture& f, int) {
         // As the transformation dialogs do: the first set overwritten by its image (a quarter turn).
         TDataSetStore& sets = f.engine->Document.DataSets;
         std::vector<TDataPoint> image;
         for (const TDataPoint& p : sets.points(0))
             image.push_back({-p.y, p.x});
         ASSERT_TRUE(sets.replaceSet(0, image));
         sets.setSingleSetOnly(true);
         sets.setDataSetCount(sets.dataSetCount() + 1);
         f.engine->replotAll();
     },
     "Transform data set"},
    {"zoom out", [](HistoryFixture& f) { f.plot("sin(x)"); }, [](HistoryFixture& f, int) { f.engine->ZoomOut(); },
     "Zoom out"},
    {"zoom box", [](HistoryFixture& f) { f.plot("x^3"); },
     [](HistoryFixture& f, int) { f.engine->zoomBox(100, 100, 500, 400); }, "Zoom in"},
    {"move", [](HistoryFixture& f) { f.plot("x"); }, [](HistoryFixture& f, int k) { f.engine->moveView(40 + k, -30); },
     "Move"},
    {"wheel", [](HistoryFixture& f) { f.plot("cos(x)"); },
     [](HistoryFixture& f, int k) { f.engine->wheelZoom(200 + 50 * k, 300, 2, true); }, "Wheel zoom"},
    {"equal scale", [](HistoryFixture& f) { f.plot("x^2"); }, [](HistoryFixture& f, int) { f.engine->EqualScale(); },
     "Equal scale", 1},
    {"mode switches", [](HistoryFixture& f) { f.plot("x^2"); },
     [](HistoryFixture& f, int k) {
         if (k % 2 == 0)
             f.switchMode(false, false, false); // polar
         else
             f.switchMode(true, false, false);
     },
     "Polar mode"},
    {"constants", [](HistoryFixture& f) { f.plot("a*x^2"); },
     [](HistoryFixture& f, int k) {
         const TConstantValues before = f.settings.ConstantValues;
         f.settings.ConstantValues[0] = 0.5L + k;
         f.engine->takeChangedConstants(before);
         f.engine->replotAll();
     },
     "Change constants"},
};

class UndoRedo : public ::testing::TestWithParam<StepKind> {};

TEST_P(UndoRedo, NUndosGiveTheDrawingBeforeAndNRedosTheDrawingAfter) {
    const StepKind& kind = GetParam();
    const int N = kind.n;
    HistoryFixture f;
    kind.before(f);
    f.commit();
    const std::size_t stepsBefore = f.engine->History.undoCount();
    const HistoryFixture::Look start = f.look();
    for (int k = 0; k < N; ++k) {
        kind.step(f, k);
        f.commit();
    }
    ASSERT_TRUE(f.host.messages.empty()) << f.host.messages.front();
    ASSERT_EQ(f.engine->History.undoCount(), stepsBefore + N) << "one step each";
    EXPECT_EQ(f.engine->History.undoDescription(), kind.description);
    const HistoryFixture::Look end = f.look();
    ASSERT_FALSE(start.picture == end.picture && start.file == end.file) << "the steps changed nothing";

    for (int k = 0; k < N; ++k)
        ASSERT_TRUE(f.engine->undo());
    f.expectSame(f.look(), start, "after the undos");
    for (int k = 0; k < N; ++k)
        ASSERT_TRUE(f.engine->redo());
    f.expectSame(f.look(), end, "after the redos");
    EXPECT_FALSE(f.engine->History.canRedo());
    EXPECT_TRUE(f.host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfStep, UndoRedo, ::testing::ValuesIn(Kinds),
                         [](const ::testing::TestParamInfo<StepKind>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == ' ') c = '_';
                             return name;
                         });

TEST(DrawingHistory, UndoAfterPlotPlotZoomOutAddsNoGraph) {
    // The case a teacher met: Plot x^2, Plot sin x, Zoom out, Undo.
    HistoryFixture f;
    f.plot("x^2");
    f.commit();
    f.plot("sin x");
    f.commit();
    const HistoryFixture::Look twoGraphs = f.look();
    ASSERT_TRUE(f.engine->ZoomOut());
    f.commit();
    ASSERT_TRUE(f.engine->undo());
    f.expectSame(f.look(), twoGraphs, "zoom out undone");
    const TGraphFile file = graphFileOf(f.engine->Document);
    EXPECT_EQ(file.formulas, (std::vector<std::string>{"x^2", "sin x"}));
    // Delete All of three graphs, then Undo: all three come back.
    f.plot("x");
    f.commit();
    const HistoryFixture::Look three = f.look();
    deleteGraphs(*f.engine, TDeleteChoice::All);
    f.commit();
    ASSERT_TRUE(f.engine->undo());
    f.expectSame(f.look(), three, "delete all undone");
}

TEST(DrawingHistory, ThePasswordAndTheDisplaySettingsAreNeverUndone) {
    HistoryFixture f;
    f.plot("x^2");
    f.commit();
    f.settings.adminPassword = "secret";
    f.settings.GraphColours[0] = Bgr(0, 200, 0);
    f.settings.plotStepText = "512";
    f.settings.showGrid = true;
    f.commit();
    EXPECT_EQ(f.engine->History.undoCount(), 1u) << "display settings make no step";
    ASSERT_TRUE(f.engine->undo());
    EXPECT_EQ(f.settings.adminPassword, "secret");
    EXPECT_EQ(f.settings.GraphColours[0], Bgr(0, 200, 0));
    EXPECT_EQ(f.settings.plotStepText, "512");
    EXPECT_TRUE(f.settings.showGrid);
    EXPECT_EQ(f.settings.LastGraph, -1);
}

TEST(DrawingHistory, AWheelTurnIsOneStepAndATurnBackToTheStartIsNone) {
    HistoryFixture f;
    f.plot("x");
    f.commit();
    ASSERT_TRUE(f.engine->wheelZoom(300, 200, 1, true));
    f.commit();
    ASSERT_TRUE(f.engine->wheelZoom(300, 200, 2, false));
    f.commit();
    EXPECT_EQ(f.engine->History.undoCount(), 2u) << "the plot and one turn";
    ASSERT_TRUE(f.engine->wheelZoom(300, 200, -3, false));
    f.commit();
    EXPECT_EQ(f.engine->History.undoCount(), 1u) << "back where the turn began";
    EXPECT_EQ(f.engine->History.undoDescription(), "Plot x");
}

TEST(DrawingHistory, CommandsThatChangeNothingAndTypingLeaveNoStep) {
    HistoryFixture f;
    f.plot("x");
    f.commit();
    EXPECT_FALSE(f.engine->zoomBox(10, 10, 11, 11)); // too small: refused
    f.commit();
    f.host.formula = "typed, not plotted";
    f.commit();
    f.host.formula.clear();
    f.plot(""); // Plot with an empty field draws nothing
    f.commit();
    EXPECT_EQ(f.engine->History.undoCount(), 1u);
    EXPECT_EQ(f.engine->History.undoDescription(), "Plot x");
}

TEST(DrawingHistory, KeepsTheNewestHundredStepsAndANewStepEndsRedo) {
    HistoryFixture f;
    f.plot("x");
    for (int k = 0; k < 120; ++k) {
        ASSERT_TRUE(f.engine->moveView(k % 2 ? 7 : -5, 0));
        f.commit();
    }
    EXPECT_EQ(f.engine->History.undoCount(), TDrawingHistory::Depth);
    int undone = 0;
    while (f.engine->undo())
        ++undone;
    EXPECT_EQ(undone, static_cast<int>(TDrawingHistory::Depth));
    EXPECT_EQ(f.settings.LastGraph, 0) << "the oldest steps (the plot among them) are gone";
    ASSERT_TRUE(f.engine->redo());
    ASSERT_TRUE(f.engine->ZoomOut());
    f.commit();
    EXPECT_FALSE(f.engine->History.canRedo());
    EXPECT_EQ(f.engine->History.undoDescription(), "Zoom out");
    EXPECT_EQ(f.engine->History.redoDescription(), "");
}

TEST(DrawingHistory, UnnamedChangesAreDescribedByWhatChanged) {
    struct Row {
        std::function<void(TSettingsRecord&)> change;
        const char* description;
    };
    const Row rows[] = {
        {[](TSettingsRecord& s) { s.ImplicitMode = true; }, "Implicit mode"},
        {[](TSettingsRecord& s) { s.ParametricMode = true; }, "Parametric on"},
        {[](TSettingsRecord& s) { s.DegreeMode = !s.DegreeMode; }, nullptr},
        {[](TSettingsRecord& s) { s.PlotDerived = true; }, "Derived function on"},
        {[](TSettingsRecord& s) { s.SquareAxes = true; }, "Square axes on"},
        {[](TSettingsRecord& s) { s.AutoYScaling = true; }, "Automatic y-scaling on"},
        {[](TSettingsRecord& s) { s.Xmax = 12; }, "Change the view"},
    };
    for (const Row& row : rows) {
        HistoryFixture f;
        row.change(f.settings);
        f.commit();
        const std::string expected =
            row.description ? row.description : (f.settings.DegreeMode ? "Degrees" : "Radians");
        EXPECT_EQ(f.engine->History.undoDescription(), expected);
    }
    // A view only rounded the way the range fields show it is the same view: no step.
    HistoryFixture f;
    f.settings.Xmax = 10.000000001L;
    EXPECT_FALSE(f.engine->History.commit());
}

TEST(DrawingHistory, KnowsWhetherTheDrawingChangedSinceItWasSavedOrOpened) {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath("lesson.kvo").toStdString();
    HistoryFixture f;
    TDrawingHistory& h = f.engine->History;
    EXPECT_FALSE(h.isModified()) << "a new drawing";
    f.plot("x^2");
    EXPECT_TRUE(h.isModified());
    ASSERT_TRUE(f.engine->undo());
    EXPECT_FALSE(h.isModified()) << "undone back to the start";
    ASSERT_TRUE(f.engine->redo());
    saveGraphFile(*f.engine, file);
    EXPECT_FALSE(h.isModified());
    EXPECT_EQ(h.fileName(), file);
    f.engine->ZoomOut();
    EXPECT_TRUE(h.isModified());
    ASSERT_TRUE(f.engine->undo());
    EXPECT_FALSE(h.isModified()) << "back at the saved drawing";

    HistoryFixture g;
    g.plot("y=1");
    ASSERT_TRUE(g.engine->History.isModified());
    ASSERT_TRUE(openChosenFile(*g.engine, file));
    EXPECT_FALSE(g.engine->History.isModified()) << "just opened";
    EXPECT_EQ(g.engine->History.undoDescription(), "Open lesson.kvo");
    ASSERT_TRUE(g.engine->undo());
    EXPECT_TRUE(g.engine->History.isModified());
    EXPECT_EQ(g.engine->Document.UserFormulas[0], "y=1");
}

} // namespace
} // namespace kurvo::test
