// One graph of the drawing: delete, edit and hide it, its undo, the graph entries and the legend.
#include "DrawingEdits.h"
#include "GraphFileApply.h"
#include "Legend.h"
#include "PlotExport.h"
#include "PlotTestSupport.h"
#include "Readout.h"

#include <QPainter>

#include <functional>

#include <gtest/gtest.h>

namespace kurvo::test {
namespace {

using Lines = std::vector<std::string>;
const QColor White(255, 255, 255);

struct GraphFixture : PlotFixture {
    TGraphDocument& doc() { return engine->Document; }
    /// The horizontal lines y = 1, y = 2, y = 3 in slots 0, 1, 2.
    void threeLines() { plotAll({"1", "2", "3"}); }
    QColor at(double x, double y) const { return pixel(engine->WorldToPixelX(x), engine->WorldToPixelY(y)); }
    Lines formulas() { return graphFileOf(doc()).formulas; }
};

TEST(OneGraph, DeleteTakesOutJustThatGraphAndTheLaterOnesMoveDown) {
    struct Row {
        int slot;
        bool removed;
        Lines left;        // the graph file's formulas afterwards
        std::string field; // the formula field afterwards
    } rows[] = {
        {0, true, {"2", "3"}, "3"},
        {1, true, {"1", "3"}, "3"},
        {2, true, {"1", "2"}, "2"},
        {3, false, {"1", "2", "3"}, "3"}, // no graph there
        {-1, false, {"1", "2", "3"}, "3"},
    };
    for (const Row& r : rows) {
        GraphFixture f;
        f.threeLines();
        EXPECT_EQ(deleteGraph(*f.engine, r.slot), r.removed) << r.slot;
        EXPECT_EQ(f.formulas(), r.left) << r.slot;
        EXPECT_EQ(f.host.formula, r.field) << r.slot;
        EXPECT_EQ(f.settings.LastGraph, static_cast<int>(r.left.size()) - 1) << r.slot;
        // Each remaining line is drawn in the colour of the slot it now holds; the deleted one is gone.
        for (std::size_t i = 0; i < r.left.size(); ++i)
            EXPECT_EQ(f.at(0, std::stod(r.left[i])), f.graph(static_cast<int>(i))) << r.slot << " " << i;
        if (r.removed) EXPECT_EQ(f.at(0, r.slot + 1), White) << r.slot;
        // The next formula goes after the remaining graphs.
        f.plot("-5");
        Lines expected = r.left;
        expected.push_back("-5");
        EXPECT_EQ(f.formulas(), expected) << r.slot;
    }
}

TEST(OneGraph, EditReplotsInItsSlotInTheModeItWasPlottedIn) {
    GraphFixture f;
    f.threeLines();
    f.settings.CartesianMode = false; // the mode switched to polar since
    EXPECT_TRUE(editGraph(*f.engine, 1, "-2"));
    EXPECT_EQ(f.formulas(), (Lines{"1", "-2", "3"}));
    EXPECT_EQ(f.settings.LastGraph, 2);
    EXPECT_FALSE(f.settings.CartesianMode) << "the window's mode stays";
    EXPECT_EQ(f.doc().Graphs[1].Mode.kind, TPlotMode::Kind::Cartesian);
    EXPECT_EQ(f.host.formula, "-2");
    EXPECT_EQ(f.at(0, -2), f.graph(1)) << "drawn in its slot's colour";
    EXPECT_EQ(f.at(0, 2), White);
    EXPECT_EQ(f.at(0, 3), f.graph(2));
}

TEST(OneGraph, AnEditThatCannotBeStoredChangesNothing) {
    struct Row {
        const char* name;
        std::string text;
        bool throws;
        const char* message;
    } rows[] = {
        {"empty", "", false, nullptr},
        {"longer than a slot", "x+" + std::string(260, '1'), false,
         "This formula is too long: a formula can have at most 255 characters."},
        {"does not translate", "x+(", true, nullptr},
    };
    for (const Row& r : rows) {
        GraphFixture f;
        f.threeLines();
        f.host.messages.clear();
        const std::string parsedBefore = f.doc().ParsedFormulas[1];
        const QImage before = f.engine->composedPicture();
        if (r.throws)
            EXPECT_ANY_THROW(editGraph(*f.engine, 1, r.text)) << r.name;
        else
            EXPECT_FALSE(editGraph(*f.engine, 1, r.text)) << r.name;
        EXPECT_EQ(f.formulas(), (Lines{"1", "2", "3"})) << r.name;
        EXPECT_EQ(f.doc().ParsedFormulas[1], parsedBefore) << r.name;
        EXPECT_EQ(f.settings.LastGraph, 2) << r.name;
        EXPECT_EQ(f.engine->composedPicture(), before) << r.name;
        if (r.message) EXPECT_EQ(f.host.messages, (Lines{r.message})) << r.name;
    }
}

TEST(OneGraph, AHiddenGraphIsNotDrawnPickedOrInPicturesButStaysInTheFile) {
    GraphFixture f;
    f.threeLines();
    setGraphHidden(*f.engine, 1, true);
    EXPECT_EQ(f.at(0, 2), White);
    EXPECT_EQ(f.at(0, 1), f.graph(0));
    EXPECT_EQ(f.at(0, 3), f.graph(2));
    EXPECT_EQ(f.countInImage(f.graph(1)), 0);
    // The pointer right on the hidden line picks the nearest shown graph.
    TReadout readout = f.engine->readout();
    const int picked = readout.PickNearestGraph(400, f.engine->WorldToPixelY(2));
    EXPECT_NE(picked, 1);
    // Every picture path leaves it out.
    const QImage png = QImage::fromData(pictureBytes(*f.engine, PictureFormat::Png));
    int coloured = 0;
    for (int y = 0; y < png.height(); ++y)
        coloured += png.pixelColor(400, y) == f.graph(1);
    EXPECT_EQ(coloured, 0);
    EXPECT_EQ(f.formulas(), (Lines{"1", "2", "3"})) << "a graph file holds every graph";
    // A new graph is not hidden, and showing the hidden one draws it again.
    f.plot("4");
    EXPECT_EQ(f.at(0, 4), f.graph(3));
    setGraphHidden(*f.engine, 1, false);
    EXPECT_EQ(f.at(0, 2), f.graph(1));
}

TEST(Family, IsOneEntryWithItsMembersAndGoesAsAWhole) {
    GraphFixture f;
    f.host.formula = "x+a";
    f.settings.FamilySteps[0] = 1; // a steps by 1
    f.engine->PlotFamily(TFamily{3, f.settings.FamilySteps});
    std::vector<TGraphEntry> entries = graphEntries(f.doc(), "");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].members, 3);
    EXPECT_EQ(entries[0].colours, (std::vector<QColor>{f.graph(0), f.graph(1), f.graph(2)}));
    EXPECT_EQ(entryText(entries[0]), "x+a   (3 members)");

    setGraphHidden(*f.engine, 0, true);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(f.countInImage(f.graph(k)), 0) << "member " << k;
    f.engine->replotFamilyOrAll(); // a zoom draws the family again: still hidden
    EXPECT_EQ(f.countInImage(f.graph(0)), 0);
    setGraphHidden(*f.engine, 0, false);
    EXPECT_GT(f.countInImage(f.graph(2)), 0);

    EXPECT_TRUE(editGraph(*f.engine, 0, "-x+a"));
    EXPECT_EQ(f.doc().UserFormulas[2], "-x+a") << "every member takes the edit";
    EXPECT_TRUE(deleteGraph(*f.engine, 0));
    EXPECT_FALSE(f.settings.FamilyPlotting);
    EXPECT_TRUE(graphEntries(f.doc(), "").empty());
    EXPECT_TRUE(f.formulas().empty());
}

TEST(GraphEntries, ShowEachGraphsColourAndLine) {
    GraphFixture f;
    f.settings.PlotDerived = true;
    f.plotAll({"x", "diff(x^2)"});
    f.settings.ImplicitMode = true;
    f.plot("y<x");
    f.settings.ImplicitMode = false;
    const std::vector<TGraphEntry> entries = graphEntries(f.doc(), "");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].colours.front(), f.graph(0));
    EXPECT_FALSE(entries[0].dashed);
    EXPECT_EQ(entries[1].colours.front(), f.engine->colour(f.settings.derivativeColour)) << f.doc().ParsedFormulas[1];
    EXPECT_EQ(entries[2].colours.front(), f.graph(2));
    EXPECT_TRUE(entries[2].dashed) << "a strict inequality's boundary is dashed";
    EXPECT_TRUE(graphEntries(f.doc(), "y>")[0].dashed) << "the relation box dashes y = f(x) graphs";
}

TEST(Legend, GoesInTheCornerTheCurvesCrossLeast) {
    struct Row {
        const char* name;
        std::vector<QRect> drawn; // filled on a 200 x 100 coverage
        QPoint corner;            // top left of the chosen 40 x 20 box (margin 5)
    } rows[] = {
        {"nothing drawn: top right", {}, {155, 5}},
        {"top right crossed", {{150, 0, 50, 30}}, {5, 5}},
        {"both top corners crossed", {{0, 0, 200, 30}}, {155, 75}},
        {"all but the bottom left", {{0, 0, 200, 30}, {100, 60, 100, 40}}, {5, 75}},
        {"fewest pixels win", {{150, 0, 50, 30}, {0, 0, 50, 2}, {150, 70, 50, 30}, {0, 70, 50, 30}}, {5, 5}},
    };
    for (const Row& r : rows) {
        QImage coverage(200, 100, QImage::Format_ARGB32_Premultiplied);
        coverage.fill(Qt::transparent);
        QPainter p(&coverage);
        for (const QRect& rect : r.drawn)
            p.fillRect(rect, Qt::red);
        p.end();
        EXPECT_EQ(leastCoveredCorner(coverage, {200, 100}, {40, 20}, 5).topLeft(), r.corner) << r.name;
    }
}

TEST(Legend, NamesTheShownGraphsInEveryPicture) {
    GraphFixture f;
    f.engine->Options.showLegend = true;
    // y = x runs from corner to corner (bottom left to top right): the legend goes top left.
    f.host.fields = {"0", "6.283185", "-7", "7", "-7", "7"};
    f.plotAll({"x", "x^2/4", "3"});
    setGraphHidden(*f.engine, 2, true);
    const QColor border = f.engine->colour(f.settings.axesColour);
    EXPECT_EQ(f.pixel(8, 8), border) << "the box's corner, 8 pixels in";
    EXPECT_EQ(f.pixel(14, 8), border);
    // The sample lines of the first two graphs, in their colours.
    int first = 0, second = 0;
    for (int y = 8; y < 60; ++y) {
        first += f.pixel(24, y) == f.graph(0);
        second += f.pixel(24, y) == f.graph(1);
    }
    EXPECT_GT(first, 0);
    EXPECT_GT(second, 0);
    // SVG holds the formulas as text; the hidden one is left out.
    const QByteArray svg = pictureBytes(*f.engine, PictureFormat::Svg);
    EXPECT_EQ(svg.count(">x^2/4<"), 1) << "drawn once, over the graphs";
    EXPECT_FALSE(svg.contains(">3<"));
    // The PNG is the screen's picture.
    const QImage png = QImage::fromData(pictureBytes(*f.engine, PictureFormat::Png));
    EXPECT_EQ(png.pixelColor(8, 8), border);
    // Without the option there is no box.
    f.engine->Options.showLegend = false;
    f.engine->replotAll();
    EXPECT_EQ(f.pixel(8, 8), White);
}

} // namespace
} // namespace kurvo::test
