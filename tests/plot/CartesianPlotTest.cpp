// The Cartesian tracer through the Plot action: curve pixels, breaks, asymptotes, domain edges, dashes.
#include "PlotTestSupport.h"

#include "CartesianPlotter.h"
#include "PlotExport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace kurvo;
using kurvo::test::PlotFixture;

namespace {

TEST(CartesianPlot, CurvePassesThroughTheMappedSamples) {
    PlotFixture f;
    f.plot("x^2");
    ASSERT_EQ(f.settings.LastGraph, 0);
    for (double x : {-2.5, -1.0, 0.0, 0.5, 2.0}) {
        int col = f.engine->WorldToPixelX(x), row = f.engine->WorldToPixelY(x * x);
        EXPECT_EQ(f.pixel(col, row), f.graph(0)) << "x=" << x;
    }
    // far from the curve nothing is drawn
    EXPECT_EQ(f.pixel(f.engine->WorldToPixelX(0), f.engine->WorldToPixelY(5)), QColor(Qt::white));
}

TEST(CartesianPlot, AsymptoteOfReciprocalIsMarkedOnlyWhenSwitchedOn) {
    // With N = 256 a sample falls exactly on x = 0 (where 1/x fails); with N = 250 none does and
    // the jump between two samples finds the asymptote. Either way one line stands at x = 0.
    for (auto [on, steps] : {std::pair{true, "256"}, {true, "250"}, {false, "256"}, {false, "250"}}) {
        PlotFixture f;
        f.settings.showAsymptotes = on;
        f.host.plotStep = steps;
        f.plot("1/x");
        int zero = f.engine->WorldToPixelX(0);
        const QImage shot = f.engine->composedPicture();
        EXPECT_EQ(PlotFixture::countInColumn(shot, zero, f.asymptote()) > 100, on) << on << " " << steps;
        int elsewhere = 0;
        for (int x = 0; x < 800; ++x)
            if (std::abs(x - zero) > 1) elsewhere += PlotFixture::countInColumn(shot, x, f.asymptote());
        EXPECT_EQ(elsewhere, 0) << steps;
        // the two branches are never joined across the view: the middle rows of column 0 stay clear
        int joined = 0;
        for (int y = 250; y < 350; ++y)
            joined += shot.pixelColor(zero, y) == f.graph(0);
        EXPECT_EQ(joined, 0);
    }
}

TEST(CartesianPlot, CurvesReachTheirDomainEdgesAndOnlyGrowingOnesGetALine) {
    struct Row {
        const char* formula;
        std::vector<double> edges; // where the curve ends on the x axis (touching it)
        bool lineAtZero;           // the values grow beyond the view at x = 0
        bool reachesBottom;        // runs down to the view's bottom edge beside x = 0
    };
    const std::vector<Row> rows = {
        {"sqrt(x)", {0}, false, false},
        {"sqrt(0-x)", {0}, false, false},
        {"sqrt(25-x^2)", {-5, 5}, false, false}, // 5 is no sample point at this step
        {"ln(x)", {}, true, true},
    };
    for (const Row& r : rows) {
        PlotFixture f;
        f.host.plotStep = "250";
        f.plot(r.formula);
        const int zero = f.engine->WorldToPixelX(0);
        for (double edge : r.edges) {
            // The curve is drawn to the edge point itself: a graph pixel within a pixel of it.
            const int col = f.engine->WorldToPixelX(edge), row = f.engine->WorldToPixelY(0);
            int near = 0;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    near += f.pixel(col + dx, row + dy) == f.graph(0);
            EXPECT_GT(near, 0) << r.formula << " at " << edge;
            int line = 0;
            for (int dx = -2; dx <= 2; ++dx)
                line += f.countInColumn(col + dx, f.asymptote());
            EXPECT_EQ(line, 0) << r.formula << ": a domain edge is no asymptote, at " << edge;
        }
        const int atZero = f.countInColumn(zero - 1, f.asymptote()) + f.countInColumn(zero, f.asymptote()) +
                           f.countInColumn(zero + 1, f.asymptote());
        EXPECT_EQ(atZero > 100, r.lineAtZero) << r.formula;
        if (r.reachesBottom) {
            bool bottom = false;
            for (int dx = 0; dx <= 3; ++dx)
                bottom = bottom || f.pixel(zero + dx, 599) == f.graph(0);
            EXPECT_TRUE(bottom) << r.formula << " ends above the view's bottom edge";
        }
    }
}

TEST(CartesianPlot, DerivedAndIntegralGraphsReachTheDomainEdgesOfTheirFunction) {
    // A coarse step: the edges lie several pixels from the nearest samples.
    struct Row {
        const char* formula;
        bool derived; // else the integral
        std::vector<double> edges;
        std::vector<bool> lines; // a dotted line at each edge: the values grow beyond the view
    };
    // A derived graph gets no line where it enters its domain; a running sum stays finite.
    const std::vector<Row> rows = {
        {"sqrt(25-x^2)", false, {-5}, {false}}, // at 5 the sum is far above the view
        {"sqrt(25-x^2)", true, {-5, 5}, {false, true}},
        {"sqrt(x)", false, {0}, {false}},
        {"sqrt(x)", true, {0}, {false}},
        {"sqrt(0-x)", true, {0}, {true}},
    };
    for (const Row& r : rows) {
        PlotFixture f;
        f.host.plotStep = "40";
        f.settings.PlotDerived = r.derived;
        f.settings.PlotIntegral = !r.derived;
        f.plot(r.formula);
        const QColor ink = f.engine->colour(r.derived ? f.settings.derivativeColour : f.settings.integralColour);
        for (std::size_t k = 0; k < r.edges.size(); ++k) {
            const int col = f.engine->WorldToPixelX(r.edges[k]);
            // The curve runs to the edge, or off the view within a few pixels of it (a derivative
            // growing without bound), not along a line to a far-off point.
            int near = 0, lines = 0;
            for (int dx = -3; dx <= 3; ++dx)
                near += f.countInColumn(col + dx, ink);
            for (int dx = -2; dx <= 2; ++dx)
                lines += f.countInColumn(col + dx, f.asymptote());
            const std::string what = std::string(r.formula) + (r.derived ? " derived" : " integral") + " at " +
                                     std::to_string(r.edges[k]);
            EXPECT_GT(near, r.derived ? 20 : 0) << what;
            EXPECT_EQ(lines > 100, r.lines[k]) << what;
        }
    }
}

TEST(CartesianPlot, StrictRelationIsDashedAndNonStrictSolid) {
    auto gaps = [](const char* relation) {
        PlotFixture f;
        f.host.relation = relation;
        f.plot("x");
        // walk along the line y = x column by column and count columns where it is not drawn
        QImage img = f.engine->composedPicture();
        int off = 0;
        for (int col = 200; col < 600; ++col) {
            int row = f.engine->WorldToPixelY(f.engine->PixelToWorldX(col));
            bool on = false;
            for (int dy = -1; dy <= 1; ++dy)
                on |= img.pixelColor(col, row + dy) == f.graph(0);
            off += !on;
        }
        return off;
    };
    int dashedGaps = gaps("y>");
    EXPECT_GT(dashedGaps, 100); // gaps of 7 in every 16 pixels along the curve
    EXPECT_LT(dashedGaps, 250);
    EXPECT_EQ(gaps("y>="), 0);
}

TEST(CartesianPlot, InverseGraphIsXAsAFunctionOfY) {
    PlotFixture f;
    f.plot("inv(x^2)"); // x = y^2: the running variable goes over y
    QImage img = f.engine->composedPicture();
    for (double y : {-2.0, 1.0, 2.5}) {
        int col = f.engine->WorldToPixelX(y * y), row = f.engine->WorldToPixelY(y);
        bool near = false;
        for (int dx = -2; dx <= 2; ++dx)
            near |= img.pixelColor(col + dx, row) == f.graph(0);
        EXPECT_TRUE(near) << y;
    }
    // and nothing where y = x^2 would be
    EXPECT_NE(img.pixelColor(f.engine->WorldToPixelX(2), f.engine->WorldToPixelY(4)), f.graph(0));
}

TEST(CartesianPlot, DerivedAndIntegralGraphsInTheirColours) {
    PlotFixture f;
    f.settings.PlotDerived = true;
    f.settings.PlotIntegral = true;
    f.plot("x/4");
    QColor derived = f.engine->colour(f.settings.derivativeColour);
    QColor integral = f.engine->colour(f.settings.integralColour);
    // derivative 1/4 everywhere; integral from the left edge -10: (x^2 - 100) / 8, -2.375 at x = 9
    EXPECT_EQ(f.pixel(f.engine->WorldToPixelX(3), f.engine->WorldToPixelY(0.25)), derived);
    double sum = (9.0 * 9.0 - 100) / 8;
    int row = f.engine->WorldToPixelY(sum), col = f.engine->WorldToPixelX(9);
    bool near = false;
    for (int dy = -2; dy <= 2; ++dy)
        near |= f.pixel(col, row + dy) == integral;
    EXPECT_TRUE(near);
}

TEST(CartesianPlot, SixthGraphReusesTheFirstColour) {
    PlotFixture f;
    for (int k = 1; k <= 6; ++k)
        f.plot(std::to_string(k));
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(f.pixel(400, f.engine->WorldToPixelY(k)), f.graph((k - 1) % 5)) << k;
    EXPECT_EQ(f.graph(5), f.graph(0));
}

TEST(CartesianPlot, EscapeStopsOnlyTheGraphBeingDrawn) {
    PlotFixture f;
    f.plot("1");
    long long start = 0;
    bool armed = false;
    f.host.stopPoll = [&] {
        if (!armed) return false;
        return f.host.polls == start + 200; // Escape once, in the middle of the graph
    };
    armed = true;
    start = f.host.polls;
    f.plot("2");
    armed = false;
    f.plot("3");
    int plotStopped = 0;
    for (const auto& m : f.host.messages)
        plotStopped += m == "Plot stopped";
    EXPECT_EQ(plotStopped, 1);
    EXPECT_EQ(f.pixel(50, f.engine->WorldToPixelY(2)), f.graph(1));  // before the stop
    EXPECT_NE(f.pixel(750, f.engine->WorldToPixelY(2)), f.graph(1)); // after it
    EXPECT_EQ(f.pixel(750, f.engine->WorldToPixelY(3)), f.graph(2)); // the next graph is whole
}

TEST(CartesianPlot, BisectionsEndAtLargeCoordinates) {
    // Near 1E15 the interval never gets below 1e-10: the searches must stop when the midpoint stands.
    // Each plot gets a fresh fixture: after one paint the fields hold their 8-character texts, in
    // which the two ends are both 1E15, and such a view is refused.
    for (const char* formula : {"1/(x-1000000000000500)", "sqrt(x-1000000000000500)"}) {
        PlotFixture f;
        f.host.fields[2] = "1E15";
        f.host.fields[3] = "1E15+1000";
        f.plot(formula);
        EXPECT_EQ(f.settings.LastGraph, 0) << formula;
    }
}

TEST(CartesianPlot, SlotsAreBoundedAndLongFormulasRefused) {
    PlotFixture f;
    f.settings.showAxes = false;
    f.host.plotStep = "32";
    for (int k = 0; k < 100; ++k)
        f.plot("1");
    EXPECT_EQ(f.settings.LastGraph, 99);
    f.plot("2");
    EXPECT_EQ(f.settings.LastGraph, 99);
    ASSERT_FALSE(f.host.messages.empty());
    EXPECT_NE(f.host.messages.back().find("100 graphs"), std::string::npos);

    PlotFixture g;
    g.plot(std::string(256, '1'));
    EXPECT_EQ(g.settings.LastGraph, -1);
    EXPECT_NE(g.host.messages.back().find("255 characters"), std::string::npos);
}

TEST(CartesianPlot, AFormulaThatFailsToParseTakesNoSlot) {
    PlotFixture f;
    f.plot("x^2");
    EXPECT_THROW(f.plot("x+"), EMathParserError);
    EXPECT_EQ(f.settings.LastGraph, 0);
}

TEST(Shading, LatticeDensityAboveAndBelow) {
    auto dots = [](const char* relation) {
        PlotFixture f;
        f.host.relation = relation;
        f.plot("0");
        return f.countInImage(f.graph(0));
    };
    int above = dots("y>"), below = dots("y<=");
    // 81 x 31 lattice points above the x axis at spacing 10; 161 x 61 below at spacing 5
    EXPECT_NEAR(above, 81 * 30 + 800 * 9 / 16, 200);
    EXPECT_GT(below, 3 * above);
}

TEST(Shading, NoDotsWhereTheFunctionFails) {
    PlotFixture f;
    f.host.relation = "y>";
    f.plot("sqrt(x)");
    QImage img = f.engine->composedPicture();
    int left = 0;
    for (int y = 0; y < 600; y += 10)
        for (int x = 0; x < 390; x += 10)
            left += img.pixelColor(x, y) == f.graph(0);
    EXPECT_EQ(left, 0);
}

// Boundaries undefined left of the y axis: no dots there, the lattice on the right where the
// relation holds (both lattice walks, down a column and along a row of columns).
TEST(Shading, HalfUndefinedBoundariesShadeOnlyTheirDomain) {
    struct Row {
        bool implicit;
        const char* relation;
        const char* formula;
        QRect held; // a box on the right where the relation holds everywhere
    };
    for (const Row& r : {Row{false, "y>", "ln(x)", QRect(500, 20, 200, 100)},
                         Row{false, "y<=", "sqrt(x)+2", QRect(500, 400, 200, 100)},
                         Row{true, "", "sqrt(x)*y>1", QRect(500, 20, 200, 100)}}) {
        PlotFixture f;
        f.settings.ImplicitMode = r.implicit;
        f.host.relation = r.relation;
        f.plot(r.formula);
        const QImage img = f.engine->composedPicture();
        auto count = [&](QRect box) {
            int n = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    n += img.pixelColor(x, y) == f.graph(0);
            return n;
        };
        EXPECT_EQ(count(QRect(0, 0, 390, 600)), 0) << r.formula;
        EXPECT_GT(count(r.held), 100) << r.formula;
    }
}

TEST(Shading, EachGraphOnItsOwnLatticeAndOnePathPerGraphInVectors) {
    struct Row {
        bool implicit;
        const char* relation;
        std::vector<std::string> formulas;
        int spacing;
    };
    for (const Row& r : {Row{false, "y<=", {"x", "x+1"}, 5}, Row{false, "y>=", {"x", "x+1"}, 10},
                         Row{false, "y<", {"x", "x+1"}, 5}, Row{true, "", {"x^2+y^2<49", "y<x"}, 10}}) {
        PlotFixture f;
        f.settings.ImplicitMode = r.implicit;
        f.host.relation = r.relation;
        f.plotAll(r.formulas);
        // A corner where both relations hold: the first graph's dots stand on the lattice at the
        // picture's corner, the second graph's on a shifted one, so both colours show there.
        const QRect box = r.implicit ? QRect(440, 320, 60, 60)
                                     : (r.relation[1] == '<' ? QRect(600, 500, 100, 60)
                                                                         : QRect(100, 100, 100, 60));
        QImage img = f.engine->composedPicture();
        int first = 0, second = 0, firstOffLattice = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c == f.graph(0)) {
                    ++first;
                    firstOffLattice += x % r.spacing != 0 || y % r.spacing != 0;
                }
                second += c == f.graph(1);
            }
        const int lattice = (box.width() / r.spacing) * (box.height() / r.spacing);
        EXPECT_NEAR(first, lattice, lattice / 4) << r.formulas[0];
        EXPECT_NEAR(second, lattice, lattice / 4) << r.formulas[1];
        EXPECT_EQ(firstOffLattice, 0) << r.formulas[0];
        // The vector picture: the lattice is a dashed path per graph, not an element per dot.
        const QByteArray svg = pictureBytes(*f.engine, PictureFormat::Svg);
        EXPECT_LT(svg.size(), 150 * 1024) << r.formulas[0];
        EXPECT_EQ(svg.count("stroke-dasharray=\"1,"), 2) << r.formulas[0];
        // A dashed boundary is two elements (dashes and gaps), not one per dash: the frame and
        // axes take about a hundred groups, a boundary of 9-pixel dashes would add hundreds.
        EXPECT_LT(svg.count("<g "), 150) << r.formulas[0];
    }
}

} // namespace
