// Mappings, range fields, tick spacing and axis positions.
#include "PlotTestSupport.h"

#include "Axes.h"

#include <gtest/gtest.h>

#include <climits>
#include <algorithm>

#include <cmath>
#include <numbers>

using namespace kurvo;
using kurvo::test::PlotFixture;

namespace {

TEST(View, MappingsRoundHalvesToEven) {
    PlotFixture f(800, 600);
    f.host.fields = {"0", "1", "0", "800", "-300", "300"}; // one unit per pixel
    f.plot("x");
    EXPECT_EQ(f.engine->WorldToPixelX(0), 0);
    EXPECT_EQ(f.engine->WorldToPixelX(800), 800);
    EXPECT_EQ(f.engine->WorldToPixelX(0.5), 0); // halves go to the even neighbour
    EXPECT_EQ(f.engine->WorldToPixelX(1.5), 2);
    EXPECT_EQ(f.engine->WorldToPixelX(2.5), 2);
    EXPECT_EQ(f.engine->WorldToPixelX(-0.5), 0);
    EXPECT_EQ(f.engine->WorldToPixelY(-300), 600);
    EXPECT_EQ(f.engine->WorldToPixelY(300), 0);
    EXPECT_EQ(f.engine->WorldToPixelY(0.5), 300); // row 600 - 300 (300.5 rounds to 300)
    EXPECT_EQ(f.engine->WorldToPixelY(1.5), 298);
    f.host.fields = {"0", "1", "-10", "10", "-7", "7"};
    f.plot("x");
    EXPECT_NEAR(static_cast<double>(f.engine->PixelToWorldX(400)), 0, 1e-12);
    EXPECT_NEAR(static_cast<double>(f.engine->PixelToWorldY(300)), 0, 1e-12);
    EXPECT_THROW(f.engine->WorldToPixelY(1e300), EInvalidOp);
}

TEST(View, RangeFieldsAreEvaluatedAndRewritten) {
    const std::pair<long double, const char*> texts[] = {
        {-1.5L, "-1.5"},           {1.0L / 3, "0.333333"},
        {2.0L / 3, "0.666666"},    {10, "10"},
        {0.1L + 0.2L, "0.3"},      {1.23456789e-5L, "1.235E-5"},
        {123456789, "1.2346E8"},   {-123456.789L, "-123456."},
        {12345678.9L, "12345678"}, {1e20L, "1E20"},
    };
    for (const auto& [v, text] : texts) {
        std::string expected = text;
        if (expected.back() == '.') expected.pop_back();
        EXPECT_EQ(rangeFieldText(v), expected) << static_cast<double>(v);
    }
    PlotFixture f;
    f.host.fields[2] = "-3/2";
    f.host.fields[3] = "1/3";
    f.plot("x");
    EXPECT_EQ(f.host.fields[2], "-1.5");
    EXPECT_EQ(f.host.fields[3], "0.333333");
    EXPECT_NEAR(static_cast<double>(f.settings.Xmin), -1.5, 1e-15);
}

TEST(View, PlotStepIsAQuarterOfTheRangeOverN) {
    PlotFixture f;
    f.host.plotStep = "1,024";
    f.plot("x");
    EXPECT_NEAR(static_cast<double>(f.settings.PlotStep), 20.0 / 1024 / 4, 1e-15);
}

TEST(Axes, TickSpacing) {
    const double Pi = std::numbers::pi;
    struct Row {
        double lo, hi;
        bool compute, pi;
        double major, minor;
    } rows[] = {
        {-10, 10, true, false, 2, 0.5},        {-1, 1, true, false, 0.2, 0.05},
        {-7, 7, true, true, Pi / 2, Pi / 10},  {0, 100, true, false, 10, 2},
        {-1e9, 1e9, false, false, 1, 0.2},     // a square view's y axis keeps the defaults
        {-0.25, 0.25, true, false, 0.1, 0.02}, // minor 0.1 x 10^e equals s / 10: widened to s / 5
    };
    for (const auto& r : rows) {
        TickSpacing sp = tickSpacing(r.lo, r.hi, r.compute, r.pi);
        EXPECT_NEAR(static_cast<double>(sp.major), r.major, 1e-12) << r.lo << ".." << r.hi;
        EXPECT_NEAR(static_cast<double>(sp.minor), r.minor, 1e-12) << r.lo << ".." << r.hi;
        EXPECT_LE(static_cast<double>(sp.first), r.lo);
        EXPECT_GE(static_cast<double>(sp.first + sp.major), r.lo - 1e-9);
    }
}

TEST(Axes, PositionsAndPinnedDashedAxes) {
    struct Row {
        const char *xmin, *xmax, *ymin, *ymax;
        int h, c; // x axis height above the bottom, y axis column
    } rows[] = {
        {"-10", "10", "-7", "7", 300, 400},
        {"2", "8", "2", "8", 10, 10},
        {"-8", "-2", "-8", "-2", 590, 790},
        {"0", "10", "-10", "0", 600, 0},
    };
    for (const auto& r : rows) {
        PlotFixture f;
        f.host.fields = {"0", "1", r.xmin, r.xmax, r.ymin, r.ymax};
        f.settings.showAxes = true;
        f.plot("()");
        QImage img(800, 600, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&img);
        f.withRenderer(painter, [&](TPlotRenderer& renderer) {
            TAxesPainter axes(renderer);
            axes.computePositions();
            EXPECT_EQ(axes.axisHeight(), r.h) << r.xmin << " " << r.ymin;
            EXPECT_EQ(axes.axisColumn(), r.c) << r.xmin << " " << r.ymin;
        });
    }
}

TEST(Axes, DrawnWithArrowheadsAndDashesWhenPinned) {
    PlotFixture f;
    f.settings.showAxes = true;
    f.host.fields = {"0", "1", "-10", "10", "2", "8"};
    f.plot("()");
    const QImage shot = f.engine->composedPicture();
    QColor black(Qt::black);
    // the x axis is pinned 10 pixels above the bottom edge and dashed: some gaps along its row
    int on = 0;
    for (int x = 0; x < 780; ++x)
        on += shot.pixelColor(x, 590) == black;
    EXPECT_GT(on, 200);
    EXPECT_LT(on, 700);
    // the y axis at x = 0 is solid from row 10 down
    int yOn = 0;
    for (int y = 12; y < 600; ++y)
        yOn += shot.pixelColor(400, y) == black;
    EXPECT_GT(yOn, 560);
    // the arrowhead at the top of the y axis
    EXPECT_EQ(shot.pixelColor(400, 8), black);
}

TEST(Axes, TheYAxisNameIsWrittenOnceAlsoWhenPinned) {
    // The rows the name takes: where the picture with the name differs from the one without.
    for (const char* xRange : {"-10,10", "2,8"}) { // the y axis in the middle, pinned at the left
        auto picture = [&](const std::string& name) {
            PlotFixture f;
            f.settings.showAxes = true;
            f.settings.axisLabels = true;
            f.settings.YAxisName = name;
            const std::string range = xRange;
            const auto comma = range.find(',');
            f.host.fields = {"0", "1", range.substr(0, comma), range.substr(comma + 1), "-7", "7"};
            f.plot("()");
            return f.engine->composedPicture();
        };
        const QImage with = picture("WWW"), without = picture("");
        int top = INT_MAX, bottom = -1;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_GE(bottom, 0) << xRange;
        EXPECT_LT(bottom - top, 16) << xRange << ": one line of text, not two";
    }
}

TEST(Axes, HugeSquareViewDoesNotDrawMillionsOfTicks) {
    PlotFixture f(600, 600);
    f.settings.showAxes = true;
    f.settings.showGrid = true;
    f.host.fields = {"0", "1", "-1E9", "1E9", "-1E9", "1E9"};
    f.plot("x");
    EXPECT_EQ(f.settings.LastGraph, 0); // reaching here at all is the test
}

TEST(Axes, NoAxesForAViewNarrowerThanTheLimit) {
    PlotFixture f;
    f.settings.showAxes = true;
    f.host.fields = {"0", "1", "0", "0.00000001", "-7", "7"};
    f.plot("()");
    EXPECT_EQ(f.countInImage(QColor(Qt::black)), 0);
}

} // namespace

namespace {

/// Draws the axes of the fixture's view once more and returns what they wrote.
std::vector<TAxesPainter::Label> drawnLabels(PlotFixture& f) {
    QImage img(800, 600, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&img);
    std::vector<TAxesPainter::Label> labels;
    f.withRenderer(painter, [&](TPlotRenderer& renderer) {
        TAxesPainter axes(renderer);
        axes.draw();
        labels = axes.labels();
    });
    return labels;
}

/// The texts written just below an x axis on row 300.
std::vector<std::string> xAxisNumbers(const std::vector<TAxesPainter::Label>& labels) {
    std::vector<std::string> texts;
    for (const auto& l : labels)
        if (l.rect.top() > 300 && l.rect.top() < 320) texts.push_back(l.text.toStdString());
    return texts;
}

TEST(Axes, NumbersOnTheXAxisSkipZeroAndStayAwayFromTheEdges) {
    PlotFixture f;
    f.settings.showAxes = true;
    f.plot("()");
    auto labels = drawnLabels(f);
    for (const auto& l : labels) {
        // numbers never come within 12 pixels of an edge
        QPoint c = l.rect.center();
        if (l.text != "x" && l.text != "y") {
            EXPECT_GT(c.x(), 12) << l.text.toStdString();
            EXPECT_LT(c.x(), 800 - 12) << l.text.toStdString();
            EXPECT_GT(c.y(), 12) << l.text.toStdString();
            EXPECT_LT(c.y(), 600 - 12) << l.text.toStdString();
        }
    }
    std::vector<std::string> expected = {"-8", "-6", "-4", "-2", "2", "4", "6", "8"};
    EXPECT_EQ(xAxisNumbers(labels), expected);
}

TEST(Axes, PiAxisLabelsInMultiplesOfPi) {
    PlotFixture f;
    f.settings.showAxes = true;
    f.settings.piAxis = true;
    f.host.fields = {"0", "1", "-7", "7", "-7", "7"};
    f.plot("()");
    std::vector<std::string> expected = {"-2pi", "-1.5pi", "-1pi", "-0.5pi", "0.5pi", "1pi", "1.5pi", "2pi"};
    EXPECT_EQ(xAxisNumbers(drawnLabels(f)), expected);
}

} // namespace
