// Smooth implicit curves, antialiasing, the device pixel ratio, and the solved-relation faults.
#include "PlotTestSupport.h"

#include "ContourPlotter.h"
#include "ImplicitForms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

using namespace kurvo;
using kurvo::test::PlotFixture;

namespace {

const double Pi = std::numbers::pi;

PlotFixture implicitFixture() {
    return PlotFixture(800, 600, [](PlotFixture& f) { f.settings.ImplicitMode = true; });
}

/// A pixel of colour c within `radius` pixels (in both directions) of the world point.
bool near(const QImage& img, const PlotFixture& f, double x, double y, const QColor& c, int radius = 1) {
    const int col = f.engine->WorldToPixelX(x), row = f.engine->WorldToPixelY(y);
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (img.valid(col + dx, row + dy) && img.pixelColor(col + dx, row + dy) == c) return true;
    return false;
}

/// Of 2000 points evenly round the circle of radius 5 about the origin, how many have the first
/// graph colour within `radius` pixels.
int circlePointsDrawn(const PlotFixture& f, int radius) {
    const QImage img = f.engine->composedPicture();
    int n = 0;
    for (int i = 0; i < 2000; ++i) {
        double t = 2 * Pi * i / 2000;
        n += near(img, f, 5 * std::cos(t), 5 * std::sin(t), f.graph(0), radius);
    }
    return n;
}

bool inside(const PlotFixture& f, double x, double y, int margin) {
    const int col = f.engine->WorldToPixelX(x), row = f.engine->WorldToPixelY(y);
    return col >= margin && row >= margin && col < f.engine->PlotWidth - margin &&
           row < f.engine->PlotHeight - margin;
}

// ---- the general relation's forms ----------------------------------------------------------------

TEST(ImplicitForms, YInsideAPeriodicFunction) {
    struct Row {
        const char* expression;
        bool periodic;
    } rows[] = {
        {"(SIN(Y)-(X))", true},       {"(SINSQ((X*Y))-(0.5))", true}, {"(SIN(X)-(COS(Y)))", true},
        {"(COSEC((2*Y))-(X))", true}, {"(TANCUBE(Y)-(X))", true},     {"(COT(SQRT(Y))-(X))", true},
        {"(SINH(Y)-(X))", false},     {"(ARCSIN(Y)-(X))", false},     {"(SIN(X)-(Y))", false},
        {"(SIN(X)*Y-(1))", false},    {"(X^2+Y^2-(25))", false},      {"(COSH(Y)-(COS(X)))", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(hasYInsidePeriodic(r.expression), r.periodic) << r.expression;
}

TEST(ImplicitForms, GeneralFormIsLeftMinusRightOfTheBoundary) {
    struct Row {
        const char* typed;
        int code;
        double x, y, F;
    } rows[] = {{"y^2=x", 4, 1, 2, 3}, {"sin(y)>=x", 1, 0.5, 0, -0.5}, {"y<x+1", 2, 1, 5, 3}};
    for (const auto& r : rows) {
        EXPECT_EQ(relationCodeOf(r.typed), r.code) << r.typed;
        const std::string form = generalRelationForm(TTranslateOptions{}, r.typed, r.code);
        TParser p;
        p.setExpression(form);
        p.X = r.x;
        p.Y = r.y;
        EXPECT_NEAR(static_cast<double>(p.Value()), r.F, 1e-12) << r.typed << " -> " << form;
    }
}

TEST(ContourDashes, NineOnSevenOffAlongTheCurve) {
    struct Row {
        std::vector<QPointF> line;
        std::vector<std::pair<double, double>> dashes; // first and last x of each dash (along x)
    } rows[] = {
        {{{0, 0}, {40, 0}}, {{0, 9}, {16, 25}, {32, 40}}},
        {{{0, 0}, {3, 0}, {6, 0}, {20, 0}}, {{0, 9}, {16, 20}}},
        {{{0, 0}, {8, 0}}, {{0, 8}}},
        {{{0, 0}, {12, 0}, {16, 0}, {17, 0}}, {{0, 9}, {16, 17}}},
    };
    for (const auto& r : rows) {
        auto out = TContourPlotter::dashes(r.line, 9, 7);
        ASSERT_EQ(out.size(), r.dashes.size());
        for (std::size_t i = 0; i < out.size(); ++i) {
            EXPECT_NEAR(out[i].front().x(), r.dashes[i].first, 1e-9);
            EXPECT_NEAR(out[i].back().x(), r.dashes[i].second, 1e-9);
        }
    }
    // a dash follows the line round a corner
    auto corner = TContourPlotter::dashes({{0, 0}, {5, 0}, {5, 10}}, 9, 7);
    ASSERT_EQ(corner.size(), 1u);
    ASSERT_EQ(corner[0].size(), 3u);
    EXPECT_EQ(corner[0][2], QPointF(5, 4));
}

// ---- smooth implicit curves ------------------------------------------------------------------------

struct CurveCase {
    const char* formula;
    std::function<std::vector<QPointF>()> points; // world points on the true curve
};

std::vector<QPointF> sampled(double from, double to, int n,
                             const std::function<std::vector<QPointF>(double)>& at) {
    std::vector<QPointF> out;
    for (int i = 0; i <= n; ++i)
        for (QPointF p : at(from + (to - from) * i / n))
            out.push_back(p);
    return out;
}

TEST(SmoothImplicitCurves, GeneralRelationsAreDrawnWithoutGaps) {
    const CurveCase cases[] = {
        {"x^2+y*y=25",
         [] {
             return sampled(0, 2 * Pi, 4000, [](double t) {
                 return std::vector<QPointF>{{5 * std::cos(t), 5 * std::sin(t)}};
             });
         }},
        {"x^2+y*y/4=1",
         [] {
             return sampled(0, 2 * Pi, 4000, [](double t) {
                 return std::vector<QPointF>{{std::cos(t), 2 * std::sin(t)}};
             });
         }},
        {"y*y=x^3-x",
         [] {
             return sampled(-1, 4, 20000, [](double x) {
                 double v = x * x * x - x;
                 if (v < 0 || v > 49) return std::vector<QPointF>{};
                 return std::vector<QPointF>{{x, std::sqrt(v)}, {x, -std::sqrt(v)}};
             });
         }},
        {"sin(x)=cos(y)",
         [] {
             return sampled(-10, 10, 4000, [](double x) {
                 std::vector<QPointF> v;
                 for (int k = -3; k <= 3; ++k) {
                     v.push_back({x, Pi / 2 - x + 2 * k * Pi});
                     v.push_back({x, x - Pi / 2 + 2 * k * Pi});
                 }
                 return v;
             });
         }},
        {"x^2-y*y=0",
         [] { return sampled(-7, 7, 4000, [](double x) {
                  return std::vector<QPointF>{{x, x}, {x, -x}};
              }); }},
    };
    for (const auto& c : cases) {
        PlotFixture f = implicitFixture();
        f.plot(c.formula);
        const QImage img = f.engine->composedPicture();
        int checked = 0, missed = 0;
        for (QPointF p : c.points()) {
            if (!inside(f, p.x(), p.y(), 3)) continue;
            ++checked;
            if (!near(img, f, p.x(), p.y(), f.graph(0), 1)) ++missed;
        }
        EXPECT_GT(checked, 500) << c.formula;
        EXPECT_EQ(missed, 0) << c.formula;
        EXPECT_TRUE(f.host.messages.empty()) << c.formula;
    }
}

TEST(SmoothImplicitCurves, TheRowSearchRemainsTheOtherChoice) {
    PlotFixture smooth = implicitFixture(), rows = implicitFixture();
    rows.engine->Options.smoothImplicitCurves = false;
    smooth.plot("x^2+y*y=25");
    rows.plot("x^2+y*y=25");
    // The row search finds roots on rows 8 plot steps apart and joins them only now and then.
    auto missed = [](const PlotFixture& f) { return 2000 - circlePointsDrawn(f, 1); };
    EXPECT_EQ(missed(smooth), 0);
    EXPECT_GT(missed(rows), 50);
}

TEST(SmoothImplicitCurves, NoSegmentAcrossAPole) {
    PlotFixture f = implicitFixture();
    f.plot("x^2+y*y=25"); // sets up the view
    struct Row {
        const char* expression;
        std::function<bool(double, double)> offCurve; // a graph pixel here is a segment across a pole
    } rows[] = {
        {"1/(X-Y)-1", [](double x, double y) { return std::fabs(x - y - 1) > 0.15; }},
        {"TAN(X*Y)-1",
         [](double x, double y) {
             if (std::fabs(x) > 4 || std::fabs(y) > 4) return false;
             double r = std::remainder(x * y - Pi / 4, Pi); // 0 on the curve, +-pi/2... at a pole
             return std::fabs(r) > Pi / 4;
         }},
    };
    for (const auto& r : rows) {
        QImage img(800, 600, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::white);
        QPainter painter(&img);
        f.withRenderer(painter, [&](TPlotRenderer& renderer) {
            renderer.Parser1.setExpression(r.expression);
            TContourPlotter(renderer).PlotContourRelation(0);
        });
        painter.end();
        int drawn = 0, across = 0;
        for (int row = 0; row < img.height(); ++row)
            for (int col = 0; col < img.width(); ++col) {
                if (img.pixelColor(col, row) == QColor(Qt::white)) continue;
                ++drawn;
                across += r.offCurve(static_cast<double>(f.engine->PixelToWorldX(col)),
                                     static_cast<double>(f.engine->PixelToWorldY(row)));
            }
        EXPECT_GT(drawn, 300) << r.expression;
        EXPECT_EQ(across, 0) << r.expression;
    }
}

TEST(SmoothImplicitCurves, StrictRelationsAreDashedAlongTheCurve) {
    PlotFixture solid = implicitFixture(), dashed = implicitFixture();
    solid.plot("x^2+y*y=25");
    dashed.plot("x^2+y*y<25");
    // Count along the circle: about 9 of every 16 pixels of the curve are drawn.
    const int all = circlePointsDrawn(solid, 0), part = circlePointsDrawn(dashed, 0);
    EXPECT_GT(all, 1000);
    EXPECT_GT(part, all * 4 / 10);
    EXPECT_LT(part, all * 7 / 10);
}

// ---- the solved relations --------------------------------------------------------------------------

TEST(SolvedRelations, TheCircleIsClosedAtItsDomainEdges) {
    PlotFixture f = implicitFixture();
    f.plot("x^2+y^2=25");
    const QImage img = f.engine->composedPicture();
    for (double x : {-5.0, -4.99, -4.95, 4.95, 4.99, 5.0})
        for (double sign : {1.0, -1.0}) {
            const double y = sign * std::sqrt(std::max(0.0, 25 - x * x));
            EXPECT_TRUE(near(img, f, x, y, f.graph(0), 1)) << x << "," << y;
        }
}

TEST(SolvedRelations, ABranchIsDrawnOnlyWhereItSolvesTheRelation) {
    struct Row {
        const char* formula;
        double noneLeftOf, noneRightOf; // world x outside which no graph pixel may lie
        double x, y;                    // a point of the curve
    } rows[] = {
        {"sqrt(y)=x", -0.05, 100, 2, 4},
        {"arcsin(y)=x", -Pi / 2 - 0.05, Pi / 2 + 0.05, 1, std::sin(1.0)},
        {"y^2=x", -0.05, 100, 4, 2},
    };
    for (const auto& r : rows) {
        PlotFixture f = implicitFixture();
        f.plot(r.formula);
        const QImage img = f.engine->composedPicture();
        EXPECT_TRUE(near(img, f, r.x, r.y, f.graph(0), 1)) << r.formula;
        int outside = 0;
        for (int row = 0; row < img.height(); ++row)
            for (int col = 0; col < img.width(); ++col) {
                if (img.pixelColor(col, row) != f.graph(0)) continue;
                double x = static_cast<double>(f.engine->PixelToWorldX(col));
                outside += x < r.noneLeftOf || x > r.noneRightOf;
            }
        EXPECT_EQ(outside, 0) << r.formula;
    }
}

TEST(SolvedRelations, TheHyperbolaReachesTopAndBottomWithItsAsymptoteAtZero) {
    PlotFixture f = implicitFixture();
    f.plot("x*y=1");
    const QImage img = f.engine->composedPicture();
    // y = 1/x crosses the top of the view (y = 7) at x = 1/7 and the bottom at x = -1/7.
    EXPECT_TRUE(near(img, f, 1.0 / 7, 7, f.graph(0), 2));
    EXPECT_TRUE(near(img, f, -1.0 / 7, -7, f.graph(0), 2));
    EXPECT_TRUE(near(img, f, 1.0 / 6, 6, f.graph(0), 1));
    const int zero = f.engine->WorldToPixelX(0);
    EXPECT_GT(f.countInColumn(zero, f.asymptote()), 100);
    // no other dotted line: every asymptote pixel lies in the column of x = 0
    EXPECT_EQ(f.countInImage(f.asymptote()), f.countInColumn(zero, f.asymptote()));
}

TEST(SolvedRelations, YInsideAPeriodicFunctionKeepsEveryBranch) {
    struct Row {
        const char* formula;
        std::vector<QPointF> points;
        bool solved; // the translator solves it for y
    } rows[] = {
        {"sin(y)=x",
         {{0, 0}, {0, Pi}, {0, -Pi}, {0, 2 * Pi}, {0.5, 5 * Pi / 6}, {0.5, Pi / 6 - 2 * Pi}},
         true},
        {"sin(x*y)=0.5",
         {{1, Pi / 6}, {1, 5 * Pi / 6}, {2, (Pi / 6 + 2 * Pi) / 2}, {-2, -(5 * Pi / 6) / 2}},
         true},
        {"2cos(y)=x", {{1, Pi / 3}, {1, -Pi / 3}, {1, 2 * Pi - Pi / 3}}, true},
        {"tan(y)=x", {{1, Pi / 4}, {1, Pi / 4 + Pi}, {1, Pi / 4 - Pi}}, true},
        {"cos(y)^2=x/4", {{2, Pi / 4}, {2, 3 * Pi / 4}, {2, -5 * Pi / 4}}, false},
    };
    for (const auto& r : rows) {
        PlotFixture f = implicitFixture();
        f.plot(r.formula);
        const QImage img = f.engine->composedPicture();
        for (QPointF p : r.points)
            EXPECT_TRUE(near(img, f, p.x(), p.y(), f.graph(0), 1))
                << r.formula << " at " << p.x() << "," << p.y();
        // the slot keeps whether the relation was solved
        EXPECT_EQ(f.engine->Document.Graphs[0].SolvedForY, r.solved) << r.formula;
    }
}

TEST(JumpTest, ASteepContinuousCurveGetsNoAsymptoteButAPoleDoes) {
    struct Row {
        const char* formula;
        std::vector<double> asymptotes; // x of the dotted lines expected
    } rows[] = {{"e^x", {}},  {"exp(x)", {}},
                {"x^4", {}},  {"tan(x)", {-5 * Pi / 2, -3 * Pi / 2, -Pi / 2, Pi / 2, 3 * Pi / 2, 5 * Pi / 2}},
                {"1/x", {0}}, {"1/(x-0.3)", {0.3}}};
    for (const auto& r : rows) {
        PlotFixture f;
        f.plot(r.formula);
        int expected = 0;
        for (double x : r.asymptotes) {
            const int col = f.engine->WorldToPixelX(x);
            int here = f.countInColumn(col, f.asymptote()) + f.countInColumn(col - 1, f.asymptote()) +
                       f.countInColumn(col + 1, f.asymptote());
            EXPECT_GT(here, 100) << r.formula << " at " << x;
            expected += here;
        }
        EXPECT_EQ(f.countInImage(f.asymptote()), expected) << r.formula;
    }
}

// ---- antialiasing and the device pixel ratio --------------------------------------------------------

TEST(Antialiasing, CurvesAreSmoothAtTheSamePixelsAndTheFrameStaysCrisp) {
    PlotFixture f;
    f.settings.showAxes = true;
    f.engine->Options.antialiasedCurves = true;
    f.engine->replotAll(); // a setting changed: the window draws everything again
    f.plot("3.5");
    f.plot("x/2");
    const QImage img = f.engine->composedPicture();
    const QColor background(Qt::white);
    // A horizontal line whose exact row is a whole pixel lies on that row alone, as the crisp
    // line does (y = 3.5 maps to row 150 exactly).
    const int row = f.engine->WorldToPixelY(3.5), col = f.engine->WorldToPixelX(6);
    EXPECT_NE(img.pixelColor(col, row), background);
    EXPECT_EQ(img.pixelColor(col, row).red(), 255);
    EXPECT_EQ(img.pixelColor(col, row - 1), background);
    EXPECT_EQ(img.pixelColor(col, row + 1), background);
    // The slanted line has blended pixels beside it: neither its colour nor the background.
    int blended = 0;
    for (double x = 1; x < 9; x += 0.05) {
        const int c = f.engine->WorldToPixelX(x), r = f.engine->WorldToPixelY(x / 2);
        for (int dr = -2; dr <= 2; ++dr) {
            const QColor p = img.pixelColor(c, r + dr);
            blended += p != background && p != f.graph(1) && p.blue() == 255;
        }
    }
    EXPECT_GT(blended, 100);
    // The y axis is one crisp column of the axes colour between the ticks.
    const int axis = f.engine->WorldToPixelX(0), axisRow = f.engine->WorldToPixelY(-2.5);
    EXPECT_EQ(img.pixelColor(axis, axisRow), f.engine->colour(f.settings.axesColour));
    EXPECT_EQ(img.pixelColor(axis - 1, axisRow), background);
    EXPECT_EQ(img.pixelColor(axis + 1, axisRow), background);
}

TEST(Antialiasing, AStraightLinesInkIsCentredOnItsTruePositionInEveryColumn) {
    // Shallow lines whose true rows fall between pixel rows. Antialiased, the ink of each column
    // is centred on the true row; crisp, it lies on the rounded row (up to half a pixel off).
    // The parametric row is the same line drawn over t (the polar and parametric plotters).
    struct Row {
        const char* formula;
        double slope;
        int width;
        bool antialiased;
        double worst; // the largest distance allowed (antialiased) or expected (crisp)
        bool parametric = false;
    };
    for (const Row& r :
         {Row{"x/7", 1.0 / 7, 1, true, 0.3}, Row{"0.3x+0.2", 0.3, 1, true, 0.3},
          Row{"x/7", 1.0 / 7, 3, true, 0.3}, Row{"x/7", 1.0 / 7, 1, false, 0.4},
          Row{"t,t/7", 1.0 / 7, 3, true, 0.3, true}, Row{"t,t/7", 1.0 / 7, 1, false, 0.4, true}}) {
        PlotFixture f;
        f.settings.graphLineThickness = r.width;
        f.engine->Options.antialiasedCurves = r.antialiased;
        if (r.parametric) {
            f.settings.ParametricMode = true;
            f.host.fields[0] = "-12";
            f.host.fields[1] = "12";
        }
        f.plot(r.formula);
        const QImage img = f.engine->composedPicture();
        const TPlotView view = f.engine->currentView();
        double worst = 0;
        for (int c = 40; c < 760; ++c) {
            double ink = 0, moment = 0;
            for (int y = 0; y < img.height(); ++y) {
                const double w =
                    (255 - img.pixelColor(c, y).green()) / 255.0; // the graph colour has no green
                ink += w;
                moment += w * y;
            }
            ASSERT_GT(ink, 0) << r.formula << " column " << c;
            const double x = double(view.Xmin) + c * double(view.XRange) / view.PlotWidth;
            const double y = (r.formula[0] == '0' ? 0.3 * x + 0.2 : x * r.slope);
            const double trueRow =
                view.PlotHeight - (y - double(view.Ymin)) * view.PlotHeight / double(view.YRange);
            worst = std::max(worst, std::fabs(moment / ink - trueRow));
        }
        if (r.antialiased)
            EXPECT_LT(worst, r.worst) << r.formula << " width " << r.width;
        else
            EXPECT_GT(worst, r.worst) << "crisp pixels are rounded: " << r.formula;
    }
}

TEST(DevicePixelRatio, ThePictureIsSharperAndTheMappingsStayLogical) {
    PlotFixture f;
    f.engine->setDevicePixelRatio(2);
    f.plot("3.5");
    const QImage img = f.engine->composedPicture();
    EXPECT_EQ(img.size(), QSize(1600, 1200));
    EXPECT_EQ(f.engine->PlotWidth, 800);
    EXPECT_EQ(f.engine->WorldToPixelX(0), 400);
    const int row = f.engine->WorldToPixelY(3.5), col = f.engine->WorldToPixelX(6);
    // a one-pixel line is two device pixels thick, centred on twice the logical row, antialiased
    // or not (y = 3.5 lies exactly on a row)
    for (bool antialiased : {false, true}) {
        PlotFixture g;
        g.engine->setDevicePixelRatio(2);
        g.engine->Options.antialiasedCurves = antialiased;
        g.plot("3.5");
        const QImage pic = g.engine->composedPicture();
        EXPECT_EQ(pic.pixelColor(2 * col, 2 * row - 1), g.graph(0)) << antialiased;
        EXPECT_EQ(pic.pixelColor(2 * col, 2 * row), g.graph(0)) << antialiased;
        EXPECT_EQ(pic.pixelColor(2 * col, 2 * row - 2), QColor(Qt::white)) << antialiased;
        EXPECT_EQ(pic.pixelColor(2 * col, 2 * row + 1), QColor(Qt::white)) << antialiased;
    }
}

} // namespace
