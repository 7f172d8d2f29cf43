// Polar, parametric and implicit graphs, and implicit inequality shading, through the Plot action.
#include "PlotTestSupport.h"

#include "ImplicitPlotter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace kurvo;
using kurvo::test::PlotFixture;

namespace {

const double Pi = std::numbers::pi;

/// A fixture in a given mode with a square-ish view.
PlotFixture inMode(bool cartesian, bool parametric, bool implicit) {
    return PlotFixture(800, 600, [&](PlotFixture& f) {
        f.settings.CartesianMode = cartesian;
        f.settings.ParametricMode = parametric;
        f.settings.ImplicitMode = implicit;
    });
}

bool nearColour(const PlotFixture& f, double x, double y, const QColor& c, int radius = 1) {
    QImage img = f.engine->composedPicture();
    int col = f.engine->WorldToPixelX(x), row = f.engine->WorldToPixelY(y);
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (img.valid(col + dx, row + dy) && img.pixelColor(col + dx, row + dy) == c) return true;
    return false;
}

TEST(PolarPlot, ConstantRadiusIsAClosedCircle) {
    PlotFixture f = inMode(false, false, false);
    f.host.fields[0] = "0";
    f.host.fields[1] = "2*3.14159265358979";
    f.plot("2");
    for (double a = 0; a < 2 * Pi; a += Pi / 7)
        EXPECT_TRUE(nearColour(f, 2 * std::cos(a), 2 * std::sin(a), f.graph(0))) << a;
    EXPECT_FALSE(nearColour(f, 0, 0, f.graph(0), 3));
}

TEST(PolarPlot, LogarithmOfTheAngleStartsJustAfterZero) {
    PlotFixture f = inMode(false, false, false);
    f.host.fields[0] = "0";
    f.host.fields[1] = "1";
    f.plot("log(t)");
    // the first sample is r = log(1e-6) = -6 at angle 1e-6: the point (-6, 0)
    EXPECT_TRUE(nearColour(f, -6, 0, f.graph(0), 2));
}

TEST(ParametricPlot, HalfCircleEndsAtMinusOne) {
    PlotFixture f = inMode(true, true, false);
    f.host.fields[0] = "0";
    f.host.fields[1] = "3.14159265358979";
    f.plot("cos(t),sin(t)");
    EXPECT_TRUE(nearColour(f, 1, 0, f.graph(0)));
    EXPECT_TRUE(nearColour(f, 0, 1, f.graph(0)));
    EXPECT_TRUE(nearColour(f, -1, 0, f.graph(0)));
    EXPECT_FALSE(nearColour(f, 0, -1, f.graph(0), 3));
}

TEST(ParametricPlot, PolarPairUsesTheSecondFunctionAsTheAngle) {
    PlotFixture f = inMode(false, true, false);
    f.host.fields[0] = "0";
    f.host.fields[1] = "1";
    f.plot("3,t*3.14159265358979/2"); // radius 3 from angle 0 to a quarter turn
    EXPECT_TRUE(nearColour(f, 3, 0, f.graph(0)));
    EXPECT_TRUE(nearColour(f, 3 * std::cos(Pi / 4), 3 * std::sin(Pi / 4), f.graph(0)));
    EXPECT_FALSE(nearColour(f, -3, 0, f.graph(0), 3));
}

TEST(PolarPlot, EvaluationFailureEndsThePaintWithTheError) {
    PlotFixture f = inMode(false, false, false);
    EXPECT_THROW(f.plot("sqrt(t-1)"), EInvalidOp);
}

// The samples are evaluated a block at a time: a failure blocks after the first still ends the
// paint with its error, with the curve drawn up to it and the parsers' t at the failed sample.
TEST(ParametricPlot, FailureAfterManySamplesEndsThePaintThere) {
    struct Row {
        bool cartesian, parametric;
        const char* formula;
        double x, y; ///< a point of the curve before the failure
    };
    const Row table[] = {
        {false, false, "sqrt(4-t)", 1.732 * std::cos(1.0), 1.732 * std::sin(1.0)}, // t = 1
        {true, true, "t,sqrt(4-t)", 3, 1},
        {true, true, "sqrt(4-t),t", 1, 3},
    };
    for (const Row& row : table) {
        PlotFixture f = inMode(row.cartesian, row.parametric, false);
        f.host.fields[0] = "0";
        f.host.fields[1] = "6";
        EXPECT_THROW(f.plot(row.formula), EInvalidOp) << row.formula;
        EXPECT_TRUE(nearColour(f, row.x, row.y, f.graph(0), 2)) << row.formula;
        const double t = f.engine->Parsers.Parser1.T;
        EXPECT_GT(t, 4) << row.formula;
        EXPECT_LT(t, 4.01) << row.formula;
    }
}

TEST(ImplicitPlot, RelationsWithOneYAreSolvedIntoTwoBranches) {
    struct Row {
        const char* formula;
        double x, y;
    } rows[] = {{"y^2=x", 4, 2}, {"y\xB2=x", 4, -2}, {"x^2+y^2=25", 3, 4}, {"x^2+y^2=25", 3, -4}};
    for (const auto& r : rows) {
        PlotFixture f = inMode(true, false, true);
        f.plot(r.formula);
        EXPECT_TRUE(nearColour(f, r.x, r.y, f.graph(0), 2)) << r.formula << " at " << r.x << "," << r.y;
    }
}

TEST(ImplicitPlot, GeneralRelationFindsTheCircle) {
    PlotFixture f = inMode(true, false, true);
    f.plot("x^2+y*y=25");
    QImage img = f.engine->composedPicture();
    int onCircle = 0, offCircle = 0;
    for (int row = 0; row < img.height(); ++row)
        for (int col = 0; col < img.width(); ++col) {
            if (img.pixelColor(col, row) != f.graph(0)) continue;
            double x = static_cast<double>(f.engine->PixelToWorldX(col)),
                   y = static_cast<double>(f.engine->PixelToWorldY(row));
            (std::fabs(std::hypot(x, y) - 5) < 0.1 ? onCircle : offCircle)++;
        }
    EXPECT_GT(onCircle, 100); // one or more roots on each of the rows 8 plot steps apart
    EXPECT_EQ(offCircle, 0);
}

TEST(ImplicitPlot, NoPointsDrawNothingAndSayNothing) {
    PlotFixture f = inMode(true, false, true);
    f.plot("x^2+y*y=-1");
    EXPECT_EQ(f.countInImage(f.graph(0)), 0);
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(ImplicitPlot, NewtonSearchThatCyclesIsCappedAndNotFound) {
    PlotFixture f = inMode(true, false, true);
    f.plot("x^2+y*y=25"); // sets up Parser1 and the view
    QImage img(800, 600, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&img);
    f.withRenderer(painter, [&](TPlotRenderer& renderer) {
        TImplicitPlotter plotter(renderer);
        renderer.Parser1.setExpression("X^3-2*X+2"); // from 0, Newton jumps 0, 1, 0, 1, ... forever
        auto root = plotter.NewtonSolveX(0, 0);
        EXPECT_FALSE(root.found);
        EXPECT_FALSE(root.stopped);
    });
}

TEST(ImplicitPlot, EscapeStopsTheGeneralPlotWithOneMessage) {
    PlotFixture f = inMode(true, false, true);
    long long start = f.host.polls;
    f.host.stopPoll = [&] { return f.host.polls >= start + 50; };
    f.plot("x^2+y*y=25");
    int stopped = 0;
    for (const auto& m : f.host.messages)
        stopped += m == "Plot stopped";
    EXPECT_EQ(stopped, 1);
}

TEST(ImplicitShading, InsideOnALatticeForLessAndOutsideForGreaterOrEqual) {
    for (auto [formula, inside] : {std::pair{"x^2+y^2<4", true}, {"x^2+y^2>=4", false}}) {
        PlotFixture f = inMode(true, false, true);
        f.plot(formula);
        QImage img = f.engine->composedPicture();
        int in = 0, out = 0, offLattice = 0;
        for (int row = 0; row < img.height(); ++row)
            for (int col = 0; col < img.width(); ++col) {
                if (img.pixelColor(col, row) != f.graph(0)) continue;
                double r = std::hypot(static_cast<double>(f.engine->PixelToWorldX(col)),
                                      static_cast<double>(f.engine->PixelToWorldY(row)));
                if (std::fabs(r - 2) < 0.15) continue; // the boundary curve itself
                (r < 2 ? in : out)++;
                offLattice += (col % 10 != 0 || row % 10 != 0);
            }
        EXPECT_EQ(offLattice, 0) << formula;
        if (inside) {
            EXPECT_GT(in, 100) << formula;
            EXPECT_EQ(out, 0) << formula;
        } else {
            EXPECT_GT(out, 1000) << formula;
            EXPECT_EQ(in, 0) << formula;
        }
    }
}

} // namespace
