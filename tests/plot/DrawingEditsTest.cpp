// Typing a coordinate set and deleting graphs and sets: what each step leaves in the slots, the
// store, the count, the formula field and the picture.
#include "DrawingEdits.h"
#include "GraphFileApply.h"
#include "PlotTestSupport.h"

#include <gtest/gtest.h>

namespace kurvo::test {
namespace {

using Lines = std::vector<std::string>;
const QColor White(255, 255, 255);

struct EditFixture : PlotFixture {
    EditFixture() {
        settings.MarkColours = {Bgr(255, 128, 0), Bgr(0, 160, 0), Bgr(160, 0, 160), Bgr(0, 160, 160),
                                Bgr(90, 90, 90)};
        settings.MarkType = 9; // large filled squares: easy to find
        settings.outlineMarks = false;
        settings.connectMarks = false;
    }
    TGraphDocument& doc() { return engine->Document; }
    TDataSetStore& sets() { return engine->Document.DataSets; }
    QColor mark(int i) const { return engine->colour(settings.MarkColours[static_cast<std::size_t>(i)]); }
    QColor at(double x, double y) const { return pixel(engine->WorldToPixelX(x), engine->WorldToPixelY(y)); }
    /// The slots that still hold an expression.
    std::vector<int> liveSlots() const {
        std::vector<int> filled;
        for (int i = 0; i < TGraphDocument::SlotCount; ++i)
            if (!engine->Document.ParsedFormulas[static_cast<std::size_t>(i)].empty()) filled.push_back(i);
        return filled;
    }
    /// Three horizontal lines y = 1, 2, 3 (filled 0, 1, 2), then two typed sets away from them.
    void threeGraphsTwoSets() {
        plotAll({"1", "2", "3"});
        EXPECT_EQ(addTypedDataSet(*engine, "time,speed", {"-6,-4", "-5,-5"}).error, "");
        host.formula = "3"; // the last graph's formula back in the field, as after a Plot
        EXPECT_EQ(addTypedDataSet(*engine, "a,b", {"6,-4"}).error, "");
        host.formula = "3";
    }
};

TEST(TypedDataSet, AddsTheLinesUpToTheEmptyOneAndPlotsThem) {
    EditFixture f;
    f.plot("x");
    const TTypedSet added = addTypedDataSet(*f.engine, "time,speed", {"1,2", "3,4", "", "5,6"});
    EXPECT_EQ(added.error, "");
    EXPECT_EQ(f.sets().lines(), (Lines{"1,2", "3,4", "#"})) << "5,6 comes after the empty line";
    EXPECT_EQ(f.sets().dataSetCount(), 1);
    EXPECT_TRUE(f.doc().DataSetPlotting);
    EXPECT_EQ(f.host.formula, "") << "the plot draws no formula";
    EXPECT_EQ(f.settings.XAxisName, "time");
    EXPECT_EQ(f.settings.YAxisName, "speed");
    EXPECT_EQ(f.doc().DataSetAxisLabels, "time,speed");
    EXPECT_EQ(f.at(1, 2), f.mark(0));
    EXPECT_EQ(f.at(3, 4), f.mark(0));
    EXPECT_EQ(f.at(5, 6), White);
    EXPECT_EQ(f.at(-2, -2), f.graph(0)) << "the graph drawn before stays";
}

TEST(TypedDataSet, TheSameTextTwiceGivesTwoSets) {
    EditFixture f;
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(addTypedDataSet(*f.engine, "t", {"1,2", "3,4"}).error, "");
    EXPECT_EQ(f.sets().lines(), (Lines{"1,2", "3,4", "#", "1,2", "3,4", "#"}));
    EXPECT_EQ(f.sets().dataSetCount(), 2);
    EXPECT_EQ(f.settings.XAxisName, "") << "labels without a comma name no axis";
    EXPECT_EQ(f.settings.YAxisName, "");
    EXPECT_EQ(f.at(1, 2), f.mark(1)) << "the second set is drawn over the first, in the next colour";
}

TEST(TypedDataSet, NewAxisNamesRedrawThePictureWithTheGraphs) {
    EditFixture f;
    f.settings.showAxes = true;
    f.plotAll({"1", "2"});
    ASSERT_EQ(addTypedDataSet(*f.engine, "a,b", {"5,5"}).error, "");
    ASSERT_EQ(f.host.formula, "");
    // The field is empty now; new names still leave every graph and set drawn.
    ASSERT_EQ(addTypedDataSet(*f.engine, "c,d", {"-5,5"}).error, "");
    EXPECT_EQ(f.host.formula, "");
    EXPECT_EQ(f.settings.XAxisName, "c");
    EXPECT_EQ(f.at(3, 1), f.graph(0));
    EXPECT_EQ(f.at(3, 2), f.graph(1));
    EXPECT_EQ(f.at(5, 5), f.mark(0));
    EXPECT_EQ(f.at(-5, 5), f.mark(1));
}

TEST(TypedDataSet, TakesNoGraphSlotAndRedrawsKeepTheGraphs) {
    EditFixture f;
    f.plotAll({"1"});
    ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"5,5"}).error, "");
    EXPECT_EQ(f.settings.LastGraph, 0);
    // A full redraw with the emptied formula field still draws the graph and the set.
    f.engine->replotAll();
    EXPECT_EQ(f.at(0, 1), f.graph(0));
    EXPECT_EQ(f.at(5, 5), f.mark(0));
    // The next graph takes the slot right after the first, so a graph file keeps both.
    f.plot("2");
    EXPECT_EQ(f.settings.LastGraph, 1);
    EXPECT_EQ(f.doc().UserFormulas[1], "2");
}

TEST(TypedDataSet, ARefusedSetChangesNothing) {
    EditFixture f;
    EXPECT_EQ(addTypedDataSet(*f.engine, "x,y", {"1,1"}).error, "");
    f.host.formula = "sin(x)";
    f.settings.XAxisName = "before";
    const struct {
        Lines typed;
        const char* start;
    } cases[] = {{{"2,2", "3,3", "three,4"}, "Line 3: "}, {{"", "2,2"}, "I have to have"}};
    for (const auto& c : cases) {
        f.host.messages.clear();
        const TTypedSet refused = addTypedDataSet(*f.engine, "p,q", c.typed);
        EXPECT_EQ(refused.error.rfind(c.start, 0), 0u) << refused.error;
        EXPECT_EQ(f.sets().lines(), (Lines{"1,1", "#"}));
        EXPECT_EQ(f.sets().dataSetCount(), 1);
        EXPECT_EQ(f.host.formula, "sin(x)");
        EXPECT_EQ(f.settings.XAxisName, "before");
        EXPECT_EQ(f.doc().DataSetAxisLabels, "x,y");
        EXPECT_TRUE(f.host.messages.empty()) << "the caller shows the message";
    }
}

TEST(DeleteGraphs, EachChoiceLeavesWhatItShould) {
    struct Case {
        TDeleteChoice choice;
        std::vector<int> filled;
        int lastGraph;
        std::string formula;
        Lines store;
        int count;
        bool dataSetPlotting;
    };
    const Lines bothSets{"-6,-4", "-5,-5", "#", "6,-4", "#"};
    const Case cases[] = {
        {TDeleteChoice::LastGraph, {0, 1}, 1, "2", bothSets, 2, true},
        {TDeleteChoice::AllGraphs, {}, -1, "", bothSets, 2, true},
        {TDeleteChoice::LastDataSet, {0, 1, 2}, 2, "3", {"-6,-4", "-5,-5", "#"}, 1, true},
        {TDeleteChoice::AllDataSets, {0, 1, 2}, 2, "3", {}, 0, false},
        {TDeleteChoice::All, {}, -1, "", {}, 0, false},
    };
    for (const Case& c : cases) {
        EditFixture f;
        f.threeGraphsTwoSets();
        // The typed sets took no slot: the third graph is still the newest.
        ASSERT_EQ(f.settings.LastGraph, 2);
        const int choice = static_cast<int>(c.choice);
        deleteGraphs(*f.engine, c.choice);
        EXPECT_EQ(f.liveSlots(), c.filled) << choice;
        EXPECT_EQ(f.settings.LastGraph, c.lastGraph) << choice;
        EXPECT_EQ(f.host.formula, c.formula) << choice;
        EXPECT_EQ(f.sets().lines(), c.store) << choice;
        EXPECT_EQ(f.sets().dataSetCount(), c.count) << choice;
        EXPECT_EQ(f.doc().DataSetPlotting, c.dataSetPlotting) << choice;
        EXPECT_EQ(f.settings.XAxisName, "x") << choice;
        EXPECT_EQ(f.settings.YAxisName, "y") << choice;
        EXPECT_TRUE(f.host.messages.empty()) << choice;
        // The picture is drawn again from what is left.
        EXPECT_EQ(f.at(0, 3) == f.graph(2), c.filled.size() == 3) << choice;
        EXPECT_EQ(f.at(0, 1) == f.graph(0), !c.filled.empty()) << choice;
        EXPECT_EQ(f.at(6, -4) == f.mark(1), c.count == 2) << choice;
        EXPECT_EQ(f.at(-6, -4) == f.mark(0), c.count >= 1) << choice;
    }
}

TEST(DeleteGraphs, LastGraphStepsBackThroughTheGraphs) {
    EditFixture f;
    f.plotAll({"1", "2", "3"});
    deleteGraphs(*f.engine, TDeleteChoice::LastGraph);
    EXPECT_EQ(f.host.formula, "2") << "the second graph's formula";
    EXPECT_EQ(f.settings.LastGraph, 1);
    EXPECT_EQ(f.at(0, 3), White) << "the third graph is gone";
    EXPECT_EQ(f.at(0, 2), f.graph(1));
    EXPECT_EQ(f.at(0, 1), f.graph(0));
    deleteGraphs(*f.engine, TDeleteChoice::LastGraph);
    EXPECT_EQ(f.host.formula, "1");
    EXPECT_EQ(f.settings.LastGraph, 0);
    // The only graph, then none: the field is emptied and LastGraph stops at "no graph".
    for (int i = 0; i < 3; ++i) {
        deleteGraphs(*f.engine, TDeleteChoice::LastGraph);
        EXPECT_EQ(f.host.formula, "") << i;
        EXPECT_EQ(f.settings.LastGraph, -1) << i;
        EXPECT_TRUE(f.liveSlots().empty()) << i;
        EXPECT_EQ(f.at(0, 1), White) << i;
    }
    EXPECT_TRUE(f.host.messages.empty());
    // The next graph goes into slot 0 again.
    f.plot("5");
    EXPECT_EQ(f.settings.LastGraph, 0);
    EXPECT_EQ(f.at(0, 5), f.graph(0));
}

TEST(DeleteGraphs, DeletedGraphsStayOutOfASavedGraphFile) {
    for (TDeleteChoice choice : {TDeleteChoice::AllGraphs, TDeleteChoice::All, TDeleteChoice::LastGraph}) {
        EditFixture f;
        f.plotAll({"1", "2"});
        if (choice == TDeleteChoice::LastGraph) deleteGraphs(*f.engine, choice); // down to the first
        deleteGraphs(*f.engine, choice);
        f.plot("x^2");
        EXPECT_EQ(graphFileOf(f.doc()).formulas, (Lines{"x^2"})) << static_cast<int>(choice);
    }
}

TEST(DeleteGraphs, LastDataSetLeavesTheAnalysisTheSetsThatAreLeft) {
    EditFixture f;
    ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"1,1", "2,2"}).error, "");
    ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"7,7", "8,8", "9,9"}).error, "");
    deleteGraphs(*f.engine, TDeleteChoice::LastDataSet);
    EXPECT_EQ(f.sets().allPoints().size(), 2u) << "statistics and regression read every point";
    // A set typed afterwards is the second set again, drawn in the second colour.
    ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"4,4"}).error, "");
    EXPECT_EQ(f.sets().lines(), (Lines{"1,1", "2,2", "#", "4,4", "#"}));
    EXPECT_EQ(f.at(4, 4), f.mark(1));
}

TEST(DeleteGraphs, LastDataSetOfTheOnlySetDeletesThemAll) {
    struct Case {
        int count;
        bool singleSet;
    };
    // One set typed, or one set transformed twice (the count raised, only the first set drawn).
    for (Case c : {Case{1, false}, Case{3, true}}) {
        EditFixture f;
        f.plot("1");
        ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"2,2"}).error, "");
        f.sets().setDataSetCount(c.count);
        f.sets().setSingleSetOnly(c.singleSet);
        f.host.formula = "1";
        deleteGraphs(*f.engine, TDeleteChoice::LastDataSet);
        EXPECT_TRUE(f.sets().empty()) << c.count;
        EXPECT_EQ(f.sets().dataSetCount(), 0) << c.count;
        EXPECT_FALSE(f.doc().DataSetPlotting) << c.count;
        EXPECT_EQ(f.host.formula, "1") << "the formula stays";
        EXPECT_EQ(f.at(2, 2), White) << c.count;
        EXPECT_EQ(f.at(0, 1), f.graph(0)) << "the graph stays";
    }
}

TEST(DeleteGraphs, LastDataSetAfterATransformationKeepsTheTransformedSetDrawn) {
    EditFixture f;
    ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"1,1"}).error, "");
    ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"5,5"}).error, "");
    f.sets().setSingleSetOnly(true);
    f.sets().setDataSetCount(4); // two transformations of the first set since
    deleteGraphs(*f.engine, TDeleteChoice::LastDataSet);
    EXPECT_EQ(f.sets().lines(), (Lines{"1,1", "#"}));
    EXPECT_EQ(f.sets().dataSetCount(), 3);
    EXPECT_EQ(f.at(1, 1), f.mark(2)) << "the first set, in the colour of the newest drawing";
    EXPECT_EQ(f.at(5, 5), White);
}

TEST(DeleteGraphs, SetsAddedAfterATransformationAreDrawn) {
    // Typed after a transformation, or after every set was deleted: every set is drawn again.
    for (bool deletedFirst : {false, true}) {
        EditFixture f;
        ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"1,1"}).error, "");
        f.sets().setSingleSetOnly(true);
        if (deletedFirst) {
            deleteGraphs(*f.engine, TDeleteChoice::AllDataSets);
            ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"1,1"}).error, "");
        }
        ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"5,5"}).error, "");
        EXPECT_EQ(f.at(1, 1), f.mark(0)) << deletedFirst;
        EXPECT_EQ(f.at(5, 5), f.mark(1)) << deletedFirst;
    }
}

TEST(DeleteGraphs, DataSetChoicesKeepTheGraphsDrawnAfterTypedPoints) {
    for (TDeleteChoice choice : {TDeleteChoice::LastDataSet, TDeleteChoice::AllDataSets}) {
        EditFixture f;
        f.plotAll({"1", "2"});
        ASSERT_EQ(addTypedDataSet(*f.engine, "x,y", {"5,5"}).error, "");
        ASSERT_EQ(f.host.formula, "");
        deleteGraphs(*f.engine, choice);
        EXPECT_EQ(f.host.formula, "") << "the formula field keeps its text";
        EXPECT_EQ(f.at(0, 1), f.graph(0)) << static_cast<int>(choice);
        EXPECT_EQ(f.at(0, 2), f.graph(1)) << static_cast<int>(choice);
        EXPECT_EQ(f.at(5, 5), White) << static_cast<int>(choice);
    }
}

TEST(DeleteGraphs, AllGraphsEndsAFamily) {
    EditFixture f;
    f.host.formula = "x+a";
    f.engine->PlotFamily(TFamily{3, {}});
    ASSERT_TRUE(f.settings.FamilyPlotting);
    deleteGraphs(*f.engine, TDeleteChoice::AllGraphs);
    EXPECT_FALSE(f.settings.FamilyPlotting);
    EXPECT_TRUE(f.liveSlots().empty());
    EXPECT_TRUE(graphFileOf(f.doc()).formulas.empty());
}

} // namespace
} // namespace kurvo::test
