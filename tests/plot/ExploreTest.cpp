// Exploring a plot without a window: the fits, zoom out, zoom box, move, wheel, undo and the readout.
#include "PlotTestSupport.h"
#include "NumberText.h"

#include "Errors.h"
#include "Readout.h"

#include <gtest/gtest.h>

#include <limits>

namespace kurvo::test {
namespace {

using Field = TPlotHost::Field;

double num(long double v) {
    return static_cast<double>(v);
}

/// An 800 x 600 area: x -10..10 puts x = 2 at column 480, y -7..7 puts y = 0 at row 300.
struct ExploreFixture : PlotFixture {
    void setView(const char* xmin, const char* xmax, const char* ymin, const char* ymax) {
        host.fields[2] = xmin;
        host.fields[3] = xmax;
        host.fields[4] = ymin;
        host.fields[5] = ymax;
    }
    std::array<std::string, 6> fields() const { return host.fields; }
    std::string field(Field f) const { return host.fields[static_cast<std::size_t>(f)]; }
    TReadout readout() { return engine->readout(); }
};

// ---- automatic y-scaling -------------------------------------------------------------------------------

TEST(AutoScale, CartesianFitsStretchTheSampledRangeAndKeepTheOrigin) {
    struct Row {
        const char* formula;
        const char* xmin;
        const char* xmax;
        double ymin, ymax;
    };
    const Row rows[] = {
        {"x^2", "-3", "3", -1.26, 12.6}, // top 9, bottom 0 becomes -0.9, both stretched by 1.4
        {"-5", "-10", "10", -7, 0},      // top stays 0
        // Near the pole 1/x passes +-100: those samples are ignored, and after the failure at x = 0
        // three samples are skipped, so the top is 1/(4/128) = 32 and the bottom 1/(-2/128).
        {"1/x", "-0.5", "0.5", -89.6, 44.8},
    };
    for (const Row& row : rows) {
        ExploreFixture f;
        f.settings.AutoYScaling = true;
        f.setView(row.xmin, row.xmax, "-7", "7");
        f.plot(row.formula);
        EXPECT_NEAR(num(f.settings.Ymin), row.ymin, 1e-9) << row.formula;
        EXPECT_NEAR(num(f.settings.Ymax), row.ymax, 1e-9) << row.formula;
        EXPECT_NEAR(strToFloat(f.field(Field::YMin)), row.ymin, 1e-6) << row.formula;
        EXPECT_EQ(f.field(Field::XMin), row.xmin) << row.formula;
        EXPECT_TRUE(f.host.messages.empty()) << row.formula << ": " << f.host.messages.front();
        EXPECT_EQ(f.settings.LastGraph, 0);
    }
}

TEST(AutoScale, OtherModesFitTheirRanges) {
    struct Row {
        const char* name;
        bool cartesian, parametric, implicit, integral;
        const char* formula;
        double xmin, xmax, ymin, ymax, tolerance;
    };
    const Row rows[] = {
        // The integral of cos from -10 is sin(x) - sin(-10), from -1.544 to 0.456; the top stays
        // at the Cartesian fit's 1.4, the bottom is stretched by 1.1.
        {"integral", true, false, false, true, "cos(x)", -10, 10, -1.1 * 1.544, 1.1 * 1.4, 0.05},
        {"polar circle", false, false, false, false, "1", -1.2, 1.2, -1.2, 1.2, 1e-3},
        {"parametric", true, true, false, false, "3sin(2t),3cos(3t)", -3.6, 3.6, -3.6, 3.6, 0.01},
        {"implicit circle, both branches", true, false, true, false, "x^2+y^2=25", -10, 10, -7, 7, 1e-9},
    };
    for (const Row& row : rows) {
        ExploreFixture f;
        f.settings.AutoYScaling = true;
        f.settings.CartesianMode = row.cartesian;
        f.settings.ParametricMode = row.parametric;
        f.settings.ImplicitMode = row.implicit;
        f.settings.PlotIntegral = row.integral;
        f.plot(row.formula);
        EXPECT_TRUE(f.host.messages.empty()) << row.name << ": " << f.host.messages.front();
        EXPECT_NEAR(num(f.settings.Xmin), row.xmin, row.tolerance) << row.name;
        EXPECT_NEAR(num(f.settings.Xmax), row.xmax, row.tolerance) << row.name;
        EXPECT_NEAR(num(f.settings.Ymin), row.ymin, row.tolerance) << row.name;
        EXPECT_NEAR(num(f.settings.Ymax), row.ymax, row.tolerance) << row.name;
    }
}

TEST(AutoScale, AnImplicitRelationWithoutPointsAsksForAWiderDomain) {
    const std::string question =
        "There are no plotable points in this domain.  Click on Yes to try a wider domain.";
    {
        // No: the view stays.
        ExploreFixture f;
        f.settings.AutoYScaling = true;
        f.settings.ImplicitMode = true;
        f.host.answer = false;
        f.plot("x^2+y^2=-1");
        ASSERT_EQ(f.host.messages.size(), 1u);
        EXPECT_EQ(f.host.messages[0], question);
        EXPECT_EQ(num(f.settings.Xmin), -10);
        EXPECT_EQ(num(f.settings.Ymax), 7);
    }
    {
        // Yes: the view doubles about the origin until the branch x >= 15 comes into it.
        ExploreFixture f;
        f.settings.AutoYScaling = true;
        f.settings.ImplicitMode = true;
        f.plot("y=sqrt(x-15)");
        ASSERT_EQ(f.host.messages.size(), 1u);
        EXPECT_EQ(num(f.settings.Xmin), -20);
        EXPECT_EQ(num(f.settings.Xmax), 20);
        EXPECT_EQ(f.field(Field::XMax), "20");
        EXPECT_GT(num(f.settings.Ymax), 2); // sqrt(5) at x = 20, stretched
    }
}

TEST(AutoScale, AFormulaWithoutValuesLeavesTheView) {
    // Nothing to sample: a fitted range of no height could not be drawn.
    ExploreFixture f;
    f.settings.AutoYScaling = true;
    f.plot("sqrt(x-100)");
    EXPECT_TRUE(f.host.messages.empty()) << f.host.messages.front();
    EXPECT_EQ(num(f.settings.Ymin), -7);
    EXPECT_EQ(num(f.settings.Ymax), 7);
}

// ---- zoom out, zoom box, move ----------------------------------------------------------------------------

TEST(ViewOperations, ZoomOutDoublesAboutTheOrigin) {
    struct Row {
        const char* name;
        bool polar;
        int times;
        std::array<std::string, 6> start, expected;
    };
    const Row rows[] = {
        {"twice",
         false,
         2,
         {"0", "6.283185", "-10", "10", "-7", "7"},
         {"0", "6.283185", "-40", "40", "-28", "28"}},
        {"off centre",
         false,
         1,
         {"0", "6.283185", "-2", "3", "-1", "1"},
         {"0", "6.283185", "-4", "6", "-2", "2"}},
        {"origin on the edge", false, 1, {"0", "1", "0", "4", "-2", "0"}, {"0", "1", "0", "8", "-4", "0"}},
        // Away from the origin the view is doubled about its centre, so the region stays in sight.
        {"origin out of sight", false, 1, {"0", "1", "2", "4", "1", "2"}, {"0", "1", "1", "5", "0.5", "2.5"}},
        {"x from 100 to 110", false, 1, {"0", "1", "100", "110", "-7", "7"}, {"0", "1", "95", "115", "-14", "14"}},
        {"polar doubles t",
         true,
         1,
         {"0", "6.283", "-10", "10", "-7", "7"},
         {"0", "12.566", "-20", "20", "-14", "14"}},
    };
    for (const Row& row : rows) {
        ExploreFixture f;
        f.settings.CartesianMode = !row.polar;
        f.host.fields = row.start;
        f.plot(row.polar ? "1" : "x");
        for (int i = 0; i < row.times; ++i)
            EXPECT_TRUE(f.engine->ZoomOut()) << row.name;
        EXPECT_EQ(f.fields(), row.expected) << row.name;
        EXPECT_TRUE(f.host.messages.empty()) << row.name << ": " << f.host.messages.front();
    }
}

TEST(ViewOperations, ZoomBox) {
    struct Row {
        const char* name;
        int x0, y0, x1, y1;
        bool changes;
        std::array<std::string, 4> view; // x min, x max, y min, y max afterwards
    };
    const Row rows[] = {
        {"top-left to bottom-right", 200, 150, 600, 450, true, {"-5", "5", "-3.5", "3.5"}},
        {"bottom-right to top-left", 600, 450, 200, 150, false, {"-10", "10", "-7", "7"}},
        {"dragged up", 200, 450, 600, 150, false, {"-10", "10", "-7", "7"}},
        {"two pixels wide", 200, 150, 202, 450, false, {"-10", "10", "-7", "7"}},
        {"three pixels square", 400, 300, 403, 303, true, {"0", "0.075", "-0.07", "0"}},
    };
    for (const Row& row : rows) {
        ExploreFixture f;
        f.plot("x^2");
        EXPECT_EQ(f.engine->zoomBox(row.x0, row.y0, row.x1, row.y1), row.changes) << row.name;
        EXPECT_EQ((std::array<std::string, 4>{f.field(Field::XMin), f.field(Field::XMax),
                                              f.field(Field::YMin), f.field(Field::YMax)}),
                  row.view)
            << row.name;
        EXPECT_TRUE(f.host.messages.empty()) << row.name;
    }
}

TEST(ViewOperations, AViewTooSmallForTheFieldsChangesNothing) {
    // The range fields keep 8 characters: 1.2345671 and 1.2345674 would both read 1.234567.
    ExploreFixture f;
    f.setView("1.2345671", "1.2345674", "-7", "7");
    f.engine->replotAll();
    const auto before = f.fields();
    EXPECT_FALSE(f.engine->zoomBox(100, 100, 700, 500));
    EXPECT_FALSE(f.engine->wheelZoom(400, 300, 40, true));
    EXPECT_EQ(f.fields(), before);
    EXPECT_TRUE(f.host.messages.empty());
    EXPECT_TRUE(TPlotEngine::viewIsMappable(0, 1e-12L, -1, 1)); // small but exact in the fields
    EXPECT_FALSE(TPlotEngine::viewIsMappable(-1, 1, 2, 2));
    EXPECT_FALSE(TPlotEngine::viewIsMappable(-1e301L, 1, -1, 1));
}

TEST(ViewOperations, MoveShiftsTheViewByTheDrag) {
    ExploreFixture f;
    f.plot("x");
    ASSERT_TRUE(f.engine->moveView(200, 0)); // a quarter of the width to the right
    EXPECT_EQ(f.field(Field::XMin), "-5");
    EXPECT_EQ(f.field(Field::XMax), "15");
    EXPECT_EQ(f.field(Field::YMin), "-7");
    ASSERT_TRUE(f.engine->moveView(0, 150)); // a quarter of the height down
    EXPECT_EQ(f.field(Field::YMin), "-10.5");
    EXPECT_EQ(f.field(Field::YMax), "3.5");
    EXPECT_FALSE(f.engine->moveView(0, 0));
}

TEST(ViewOperations, PlotZoomOutUndo) {
    ExploreFixture f;
    f.plot("x^2");
    ASSERT_TRUE(f.engine->ZoomOut());
    EXPECT_EQ(f.field(Field::XMax), "20");
    ASSERT_TRUE(f.engine->undo());
    f.engine->replotAll();
    EXPECT_EQ(f.field(Field::XMin), "-10");
    EXPECT_EQ(f.field(Field::XMax), "10");
    EXPECT_EQ(num(f.settings.Ymax), 7);
    EXPECT_EQ(f.settings.LastGraph, 0) << "undoing a zoom adds no graph";
    // A second undo takes back the plot itself.
    ASSERT_TRUE(f.engine->undo());
    EXPECT_EQ(f.settings.LastGraph, -1);
    EXPECT_TRUE(f.engine->Document.UserFormulas[0].empty());
}

TEST(ViewOperations, UndoRedrawsEveryGraphOfTheRestoredState) {
    ExploreFixture f;
    f.plot("1");
    f.plot("-1");
    const int row = f.engine->WorldToPixelY(-1);
    ASSERT_GT(f.countInImage(f.graph(1)), 0);
    // Undo takes the second graph away; the first is drawn in its own colour, nothing is added.
    ASSERT_TRUE(f.engine->undo());
    f.engine->replotAll();
    EXPECT_EQ(f.settings.LastGraph, 0);
    EXPECT_EQ(f.host.formula, "-1") << "the formula field as it was before the plot";
    EXPECT_EQ(f.countInImage(f.graph(1)), 0);
    EXPECT_EQ(f.countInColumn(400, f.graph(0)), 1);
    EXPECT_NE(f.pixel(400, row), f.graph(0));
}

TEST(ViewOperations, AWheelNotchAndItsReturnRestoreTheViewExactly) {
    struct Row {
        int X, Y, notches;
    };
    const Row rows[] = {{333, 222, 1}, {17, 590, 3}, {400, 300, 5}, {799, 1, 2}};
    for (const Row& row : rows) {
        ExploreFixture f;
        f.plot("sin(x)");
        const auto start = f.fields();
        const long double xmin = f.settings.Xmin, ymax = f.settings.Ymax;
        ASSERT_TRUE(f.engine->wheelZoom(row.X, row.Y, row.notches, true));
        EXPECT_NE(f.fields(), start);
        // The point under the pointer stays under it.
        EXPECT_NEAR(num(f.engine->PixelToWorldX(row.X)), num(-10 + row.X * 20.0L / 800), 1e-4);
        for (int n = 0; n < row.notches; ++n)
            ASSERT_TRUE(f.engine->wheelZoom(row.X, row.Y, -1, false));
        EXPECT_EQ(f.fields(), start) << row.X;
        EXPECT_EQ(f.settings.Xmin, xmin);
        EXPECT_EQ(f.settings.Ymax, ymax);
    }
}

TEST(ViewOperations, AWheelTurnIsUndoneAtOnce) {
    ExploreFixture f;
    f.plot("sin(x)");
    ASSERT_TRUE(f.engine->wheelZoom(100, 100, 1, true));
    ASSERT_TRUE(f.engine->wheelZoom(100, 100, 1, false));
    EXPECT_NEAR(num(f.settings.Xmax - f.settings.Xmin), 20 / 1.5625, 1e-3);
    EXPECT_EQ(f.engine->History.undoDescription(), "Wheel zoom");
    ASSERT_TRUE(f.engine->undo());
    f.engine->replotAll();
    EXPECT_EQ(f.field(Field::XMin), "-10");
    EXPECT_EQ(f.field(Field::YMax), "7");
}

TEST(ViewOperations, EqualScaleMakesUnitsEquallyLong) {
    ExploreFixture f;
    f.setView("-10", "10", "-2", "4");
    f.plot("x");
    ASSERT_TRUE(f.engine->EqualScale());
    // 20 units over 800 pixels: 600 pixels hold 15 units, about the centre y = 1.
    EXPECT_EQ(f.field(Field::YMin), "-6.5");
    EXPECT_EQ(f.field(Field::YMax), "8.5");
    ASSERT_TRUE(f.engine->undo());
    EXPECT_EQ(f.field(Field::YMin), "-2");
}

TEST(ViewOperations, ABadRangeFieldIsNamedAndChangesNothing) {
    struct Row {
        const char* name;
        std::array<std::string, 6> fields;
        const char* message;
        const char* steps = "256";
    };
    const Row defaults{"", {"0", "6.283185", "-10", "10", "-7", "7"}, ""};
    const Row rows[] = {
        {"reversed x",
         {"0", "6.283185", "5", "1", "-7", "7"},
         "The x max field must be greater than the x min field."},
        {"empty y",
         {"0", "6.283185", "-10", "10", "3", "3"},
         "The y max field must be greater than the y min field."},
        {"not a number", {"0", "6.283185", "-10", "10", "-7", "2*pi"}, "The y max field cannot be evaluated"},
        // The plot step divides the range: said as the field it is, never as a division by zero.
        {"plot step 0", defaults.fields, "The plot step must be at least 32", "0"},
        {"plot step 31", defaults.fields, "The plot step must be at least 32", "31"},
        {"plot step text", defaults.fields, "Plot step: 'abc' is not a valid integer value", "abc"},
        {"plot step too large", defaults.fields, "The plot step must be at most 1000000", "1000001"},
    };
    for (const Row& row : rows) {
        ExploreFixture f;
        f.plot("x");
        const QImage picture = f.engine->composedPicture();
        f.host.fields = row.fields;
        f.host.plotStep = row.steps;
        try {
            f.engine->replotAll();
            ADD_FAILURE() << row.name << ": no error";
        } catch (const ERefusedView& e) {
            EXPECT_EQ(std::string(e.what()).rfind(row.message, 0), 0u) << row.name << ": " << e.what();
            EXPECT_STREQ(e.className(), "EConvertError") << row.name;
        }
        EXPECT_EQ(f.fields(), row.fields) << row.name; // the fields keep their texts
        EXPECT_EQ(num(f.settings.Xmin), -10) << row.name;
        EXPECT_EQ(num(f.settings.Ymax), 7) << row.name;
        EXPECT_EQ(f.engine->composedPicture(), picture) << row.name;
    }
}

// ---- readout and tangent
// -----------------------------------------------------------------------------------

TEST(Readout, PolarAngle) {
    struct Row {
        double x, y, radians, degrees;
    };
    const Row rows[] = {{1, 0, 0, 0},
                        {-1, 0, 3.14159265, 180},
                        {0, 1, 1.57079633, 90},
                        {0, -1, -1.57079633, -90},
                        {-1, -1, -2.35619449, -135},
                        {0, 0, 0, 0},
                        {1, 1, 0.78539816, 45}};
    for (const Row& row : rows) {
        EXPECT_NEAR(num(polarAngle(row.x, row.y, false)), row.radians, 1e-8) << row.x << "," << row.y;
        EXPECT_NEAR(num(polarAngle(row.x, row.y, true)), row.degrees, 1e-8) << row.x << "," << row.y;
    }
}

TEST(Readout, SnappedReadoutOfXSquaredAtTwo) {
    ExploreFixture f;
    f.plot("x^2");
    TReadout r = f.readout();
    r.useSlot(0);
    const TReadoutResult result = r.snappedReadout(480, false);
    const std::array<std::string, 5> expected{"x= 2", "y= 4", "r= 4.47214", "t= 1.10715", "dy/dx= 4.00001"};
    EXPECT_EQ(result.panels, expected);
    ASSERT_TRUE(result.crossHair);
    EXPECT_EQ(result.crossHair->x(), 480);
    EXPECT_EQ(result.crossHair->y(), f.engine->WorldToPixelY(4)); // on the graph, not at the pointer
    EXPECT_FALSE(result.tangent);
}

TEST(Readout, SignificantFiguresFollowTheSettings) {
    ExploreFixture f;
    f.settings.significantFigures = 3;
    f.plot("x^2");
    TReadout r = f.readout();
    r.useSlot(0);
    EXPECT_EQ(r.snappedReadout(480, false).panels[2], "r= 4.47");
}

TEST(Readout, FreeReadoutTPanel) {
    struct Row {
        bool degrees;
        int X, Y;
        const char* t;
    };
    // Column 360 is x = -1, row 300 is y = 0; row 257.14 would be y = 1.
    const Row rows[] = {
        {false, 360, 300, "t= 3.14159"}, {true, 360, 300, "t= 180"}, {true, 400, 300, "t= 0"}};
    for (const Row& row : rows) {
        ExploreFixture f;
        f.settings.DegreeMode = row.degrees;
        f.plot("x");
        const TReadoutResult result = f.readout().freeReadout(row.X, row.Y);
        EXPECT_EQ(result.panels[3], row.t);
        EXPECT_EQ(result.panels[4], "dy/dx= Undefined");
        EXPECT_EQ(result.crossHair, QPoint(row.X, row.Y));
    }
}

TEST(Readout, UndefinedPanelsAndNothingDrawn) {
    struct Row {
        const char* formula;
        int X;
    };
    const Row rows[] = {{"-200000", 480}, {"sqrt(x)", 320}, {"1/(x-2)", 480}, {"log(x)", 320}};
    const std::array<std::string, 4> undefined{"y= Undefined", "r= Undefined", "t= Undefined",
                                               "dy/dx= Undefined"};
    for (const Row& row : rows) {
        ExploreFixture f;
        f.plot(row.formula);
        TReadout r = f.readout();
        r.useSlot(0);
        const TReadoutResult result = r.snappedReadout(row.X, true);
        EXPECT_EQ(result.panels[0], row.X == 480 ? "x= 2" : "x= -2") << row.formula;
        EXPECT_EQ((std::array<std::string, 4>{result.panels[1], result.panels[2], result.panels[3],
                                              result.panels[4]}),
                  undefined)
            << row.formula;
        EXPECT_FALSE(result.crossHair) << row.formula;
        EXPECT_FALSE(result.tangent) << row.formula;
    }
}

TEST(Readout, PickNearestGraphPassesOverGraphsWithoutAValue) {
    ExploreFixture f;
    f.plotAll({"sqrt(x)", "x", "x+5"});
    TReadout r = f.readout();
    // At x = -2 sqrt has no value; the pointer at y = 2.5 is nearer x + 5 = 3 than x = -2.
    EXPECT_EQ(r.PickNearestGraph(320, f.engine->WorldToPixelY(2.5)), 2);
    EXPECT_EQ(r.PickNearestGraph(320, f.engine->WorldToPixelY(-2)), 1);
    EXPECT_EQ(f.engine->Parsers.Parser3.Expression(), f.engine->Document.ParsedFormulas[1]);
    // At x = 4 sqrt(x) = 2 is nearest.
    EXPECT_EQ(r.PickNearestGraph(560, f.engine->WorldToPixelY(2)), 0);
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(Readout, TheReadoutLeavesThePlottingParsersAlone) {
    // A relation solved with a second branch, whose slot keeps what the paint reads.
    ExploreFixture f;
    f.settings.ImplicitMode = true;
    f.plot("x^2+y^2=25");
    f.settings.ImplicitMode = false;
    TPlotParsers& p = f.engine->Parsers;
    const TGraphSlot kept = f.engine->Document.Graphs[0];
    ASSERT_FALSE(kept.SecondBranch.empty());
    // What a running plot would hold at this moment.
    p.Parser1.setExpression("X*2");
    *p.Parser1.variable('X') = 7;
    p.Parser2.setExpression("X*3");
    p.Context.InverseMarker = true;

    TReadout r = f.readout();
    r.PickNearestGraph(480, 100);
    r.snappedReadout(440, true); // translates a tangent formula
    r.snappedReadout(300, true);
    EXPECT_EQ(p.Parser1.Expression(), "X*2");
    EXPECT_EQ(*p.Parser1.variable('X'), 7);
    EXPECT_EQ(p.Parser2.Expression(), "X*3");
    EXPECT_TRUE(p.Context.InverseMarker);
    EXPECT_EQ(f.engine->Document.Graphs[0].SecondBranch, kept.SecondBranch);
    EXPECT_EQ(f.engine->Document.Graphs[0].GeneralForm, kept.GeneralForm);
}

TEST(Readout, TangentFormulaText) {
    EXPECT_EQ(TReadout::tangentFormula(2, 1, 1), "2*(X-(1))+1");
    EXPECT_EQ(TReadout::tangentFormula(-2, -1, -2), "-2*(X-(-1))+-2");
}

TEST(Readout, TangentLineRunsThroughThePointWithTheSlope) {
    struct Row {
        const char* formula;
        double x0, slope;
    };
    const Row rows[] = {{"x^2", 1, 2}, {"x^2-3", -1, -2}, {"sin(x)", 0, 1}, {"5", 3, 0}};
    for (const Row& row : rows) {
        ExploreFixture f;
        f.plot(row.formula);
        TReadout r = f.readout();
        r.useSlot(0);
        const int X = f.engine->WorldToPixelX(row.x0);
        const TReadoutResult result = r.snappedReadout(X, true);
        ASSERT_TRUE(result.tangent) << row.formula;
        const QLineF line = *result.tangent;
        // Pixel slope: world slope times 600/14 rows per unit over 40 columns per unit, upwards.
        const double pixelSlope = -row.slope * (600.0 / 14) / 40;
        ASSERT_NE(line.dx(), 0) << row.formula;
        EXPECT_NEAR(line.dy() / line.dx(), pixelSlope, 1e-3) << row.formula;
        const double yAtX = line.y1() + (X - line.x1()) * line.dy() / line.dx();
        EXPECT_NEAR(yAtX, result.crossHair->y(), 1.0) << row.formula;
        EXPECT_GE(line.y1(), -2.5);
        EXPECT_LE(line.y2(), 602.5);
    }
}

TEST(Readout, ClipToRect) {
    const QRectF r(0, 0, 100, 100);
    EXPECT_EQ(clipToRect({-50, 50}, {150, 50}, r), QLineF(0, 50, 100, 50));
    EXPECT_FALSE(clipToRect({-50, -10}, {150, -10}, r));
    EXPECT_EQ(clipToRect({0, -100}, {100, 200}, r)->p1(), QPointF(100.0 / 3, 0));
    EXPECT_FALSE(clipToRect({0, std::numeric_limits<double>::infinity()}, {100, 0}, r));
}

} // namespace
} // namespace kurvo::test
