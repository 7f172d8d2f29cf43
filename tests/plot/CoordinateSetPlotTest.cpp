// Coordinate-set drawing: mark shapes by pixels, colours by set, Connect, the single-set flag, the fit.
#include "PlotTestSupport.h"

#include "CoordinateSetPlotter.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace kurvo;
using kurvo::test::Bgr;
using kurvo::test::PlotFixture;

namespace {

const QColor Red(255, 0, 0);
const QColor White(255, 255, 255);

/// The pixels of a colour in a small picture holding one mark at (20, 20).
std::set<std::pair<int, int>> markPixels(int markType, bool outline, const QColor& colour) {
    QImage image(41, 41, QImage::Format_RGB32);
    image.fill(White);
    {
        QPainter painter(&image);
        TCoordinateSetPlotter::drawMark(painter, markType, 20, 20, Red, outline);
    }
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour) pixels.insert({x - 20, y - 20});
    return pixels;
}

std::set<std::pair<int, int>> squareRing(int r) {
    std::set<std::pair<int, int>> ring;
    for (int i = -r; i <= r; ++i) {
        ring.insert({i, -r});
        ring.insert({i, r});
        ring.insert({-r, i});
        ring.insert({r, i});
    }
    return ring;
}

TEST(DataMarks, ShapesByPixels) {
    // Offsets from the point's pixel. Lines leave out their end point.
    EXPECT_EQ(markPixels(1, false, Red), (std::set<std::pair<int, int>>{{0, 0}}));

    std::set<std::pair<int, int>> plus;
    for (int i = -5; i <= 4; ++i) {
        plus.insert({i, 0});
        plus.insert({0, i});
    }
    EXPECT_EQ(markPixels(2, false, Red), plus);

    std::set<std::pair<int, int>> cross;
    for (int i = -5; i <= 5; ++i) {
        cross.insert({i, i});
        cross.insert({i, -i});
    }
    EXPECT_EQ(markPixels(3, false, Red), cross);

    EXPECT_EQ(markPixels(4, false, Red), squareRing(2));
    EXPECT_EQ(markPixels(5, true, Red), squareRing(5)) << "a hollow square keeps the set colour";
    EXPECT_EQ(markPixels(5, false, White).count({0, 0}), 1u) << "hollow";
}

TEST(DataMarks, FilledMarksWithAndWithoutOutline) {
    struct Row {
        int type;
        int radius;
    };
    for (Row row : {Row{8, 2}, Row{9, 5}}) {
        auto black = markPixels(row.type, true, QColor(Qt::black));
        EXPECT_EQ(black, squareRing(row.radius)) << row.type;
        auto red = markPixels(row.type, true, Red);
        EXPECT_TRUE(red.count({0, 0})) << row.type;
        EXPECT_EQ(red.size(), static_cast<std::size_t>((2 * row.radius - 1) * (2 * row.radius - 1)))
            << row.type;
        EXPECT_TRUE(markPixels(row.type, false, QColor(Qt::black)).empty()) << row.type;
        EXPECT_EQ(markPixels(row.type, false, Red).size(),
                  static_cast<std::size_t>((2 * row.radius + 1) * (2 * row.radius + 1)))
            << row.type;
    }
    // Diamonds reach their four tips; the large hollow one is outlined too.
    for (int type : {6, 7, 10, 11}) {
        const int r = type == 6 || type == 10 ? 3 : 5;
        const QColor edge = type == 6 ? Red : QColor(Qt::black);
        auto pixels = markPixels(type, true, edge);
        for (auto tip : {std::pair{-r, 0}, {r, 0}, {0, -r}, {0, r}})
            EXPECT_TRUE(pixels.count(tip)) << type;
        EXPECT_FALSE(pixels.count({r + 1, 0})) << type;
        EXPECT_EQ(markPixels(type, true, Red).count({0, 0}), type >= 10 ? 1u : 0u) << type;
    }
    auto circle = markPixels(12, true, Red);
    EXPECT_TRUE(circle.count({0, 0}));
    EXPECT_FALSE(circle.count({4, 0}));
    EXPECT_FALSE(circle.count({-4, 0}));
    EXPECT_TRUE(markPixels(12, true, QColor(Qt::black)).empty()) << "the circle has no outline";
}

struct DataSetFixture : PlotFixture {
    DataSetFixture() {
        settings.MarkColours = {Bgr(255, 0, 0), Bgr(0, 0, 255), Bgr(0, 160, 0), Bgr(160, 0, 160),
                                Bgr(0, 160, 160)};
        settings.MarkType = 1;
        settings.connectMarks = false;
    }
    void addSets(const std::vector<std::string>& lines) {
        const std::size_t before = engine->Document.DataSets.setCount();
        EXPECT_TRUE(engine->Document.DataSets.appendLines(lines).empty());
        TDataSetStore& store = engine->Document.DataSets;
        store.setDataSetCount(store.dataSetCount() + static_cast<int>(store.setCount() - before));
        engine->Document.DataSetPlotting = true;
    }
    QColor mark(int i) const { return engine->colour(settings.MarkColours[static_cast<std::size_t>(i)]); }
    QColor at(double x, double y) const { return pixel(engine->WorldToPixelX(x), engine->WorldToPixelY(y)); }
};

TEST(CoordinateSets, EachSetInItsMarkColour) {
    DataSetFixture f;
    f.addSets({"1,1", "2,2", "#", "-3,1", "#", "4,-2", "#"});
    f.engine->replotAll();
    EXPECT_EQ(f.at(1, 1), f.mark(0));
    EXPECT_EQ(f.at(2, 2), f.mark(0));
    EXPECT_EQ(f.at(-3, 1), f.mark(1));
    EXPECT_EQ(f.at(4, -2), f.mark(2));
}

TEST(CoordinateSets, TwoConnectedSetsAreTwoPolylines) {
    DataSetFixture f;
    f.settings.connectMarks = true;
    f.addSets({"-8,0", "-2,0", "#", "2,0", "8,0", "#"});
    f.engine->replotAll();
    const int row = f.engine->WorldToPixelY(0);
    EXPECT_EQ(f.pixel(f.engine->WorldToPixelX(-5), row), f.mark(0)) << "within set 0";
    EXPECT_EQ(f.pixel(f.engine->WorldToPixelX(5), row), f.mark(1)) << "within set 1";
    for (double x : {-1.0, 0.0, 1.0})
        EXPECT_EQ(f.pixel(f.engine->WorldToPixelX(x), row), White) << "no line between the sets at x=" << x;
}

TEST(CoordinateSets, MarksStayAboveGridAndGraphsOnEveryPaintAndGrowWithThePixelRatio) {
    // Three points on the line y = x and on grid lines: the graph and the grid pass through every
    // mark. Whatever paints the picture afterwards, each mark keeps all its pixels.
    enum class Paint { PlotAfter, ReplotAll, Export };
    struct Row {
        Paint paint;
        int markType;
        qreal ratio;
    };
    auto marked = [](const QImage& image, const QColor& c) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == c;
        return n;
    };
    int oneAtRatio1 = 0;
    for (const Row& r : {Row{Paint::PlotAfter, 12, 1}, Row{Paint::ReplotAll, 12, 1}, Row{Paint::Export, 12, 1},
                         Row{Paint::PlotAfter, 9, 1}, Row{Paint::PlotAfter, 12, 2}, Row{Paint::Export, 12, 2}}) {
        DataSetFixture f;
        f.settings.MarkType = r.markType;
        f.settings.MarkColours[0] = Bgr(0, 160, 160); // a colour no graph or grid line has
        f.settings.showGrid = true;
        f.engine->setDevicePixelRatio(r.ratio);
        f.addSets({"1,1", "2,2", "3,3", "#"});
        f.engine->replotAll();
        const int alone = marked(f.engine->composedPicture(), f.mark(0));
        ASSERT_GT(alone, 0);
        f.plot("x");
        QImage after = f.engine->composedPicture();
        if (r.paint == Paint::ReplotAll) {
            f.engine->replotAll();
            after = f.engine->composedPicture();
        } else if (r.paint == Paint::Export) {
            const QSize size = f.engine->plotAreaSize();
            after = QImage(size * r.ratio, QImage::Format_ARGB32_Premultiplied);
            after.setDevicePixelRatio(r.ratio);
            after.fill(Qt::white);
            QPainter painter(&after);
            TSilentFeedback quiet;
            f.engine->renderTo(painter, quiet);
        }
        EXPECT_EQ(marked(after, f.mark(0)), alone) << int(r.paint) << " mark " << r.markType << " x" << r.ratio;
        if (r.markType == 12 && r.ratio == 1) oneAtRatio1 = alone;
        if (r.markType == 12 && r.ratio == 2) EXPECT_GE(alone, 3 * oneAtRatio1) << "marks grow like lines";
    }
}

TEST(CoordinateSets, CountLimitsTheSetsDrawn) {
    DataSetFixture f;
    f.addSets({"1,1", "#", "2,2", "#"});
    f.engine->Document.DataSets.setDataSetCount(1); // the last set was deleted from the count only
    f.engine->replotAll();
    EXPECT_EQ(f.at(1, 1), f.mark(0));
    EXPECT_EQ(f.at(2, 2), White);
}

TEST(CoordinateSets, SingleSetFlagDrawsTheFirstSetInTheNewestColour) {
    DataSetFixture f;
    f.addSets({"1,1", "#", "2,2", "#", "3,3", "#"});
    f.engine->Document.DataSets.setSingleSetOnly(true);
    f.engine->replotAll();
    EXPECT_EQ(f.at(1, 1), f.mark(2));
    EXPECT_EQ(f.at(2, 2), White);
    EXPECT_EQ(f.at(3, 3), White);
}

TEST(CoordinateSets, APaintWithoutPlotRequestDrawsOnlyTheSets) {
    DataSetFixture f;
    f.plot("x");
    f.addSets({"3,-3", "#"});
    f.settings.showAxes = true;
    f.engine->paintCoordinateSets();
    EXPECT_EQ(f.at(3, -3), f.mark(0));
    EXPECT_EQ(f.at(2, 2), f.graph(0)) << "the graph stays";
    EXPECT_EQ(f.countInImage(f.engine->colour(f.settings.axesColour)), 0) << "no axes drawn";
}

TEST(CoordinateSets, APointBeyondAnyPixelIsSkipped) {
    DataSetFixture f;
    f.settings.connectMarks = true;
    f.addSets({"1,1", "1E300,1", "3,1", "#"});
    f.host.messages.clear();
    f.engine->replotAll();
    EXPECT_EQ(f.at(1, 1), f.mark(0));
    EXPECT_EQ(f.at(3, 1), f.mark(0));
    EXPECT_EQ(f.at(2, 1), White) << "the line is broken at the far point";
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(CoordinateSets, EscapeEndsTheSetItStopped) {
    DataSetFixture f;
    f.addSets({"1,1", "2,2", "#"});
    int polls = 0;
    f.host.stopPoll = [&] { return ++polls == 2; };
    f.engine->replotAll();
    EXPECT_EQ(f.at(1, 1), f.mark(0));
    EXPECT_EQ(f.at(2, 2), White);
    EXPECT_EQ(f.host.messages, std::vector<std::string>{"Plot stopped"});
}

TEST(DataSetFit, BoundsWithZeroAndAFifteenthOfTheSpan) {
    struct Row {
        std::vector<std::string> lines;
        bool fits;
        TDataSetFit fit;
    };
    const Row rows[] = {
        // all x positive: the smallest x is 0, moved out by span/15; then everything times 1.2
        {{"3,-2", "6,4", "#"}, true, {1.2L * (-6.0L / 15), 7.2L, -2.4L, 4.8L, true, true}},
        {{"-4,-1", "-2,-3", "#"}, false, {}}, // no axis has two non-zero bounds
        // every x is 0: the x range stays as it is
        {{"0,1", "0,5", "#"}, true, {0, 0, 1.2L * (-5.0L / 15), 6.0L, false, true}},
        {{"0,0", "#"}, false, {}},
    };
    for (const Row& row : rows) {
        TDataSetStore store;
        store.appendLines(row.lines);
        auto fit = fitCoordinateSets(store, static_cast<int>(store.setCount()));
        ASSERT_EQ(fit.has_value(), row.fits) << row.lines[0];
        if (!fit) continue;
        EXPECT_EQ(fit->fitX, row.fit.fitX);
        EXPECT_EQ(fit->fitY, row.fit.fitY);
        if (fit->fitX) {
            EXPECT_NEAR(static_cast<double>(fit->Xmin), static_cast<double>(row.fit.Xmin), 1e-12);
            EXPECT_NEAR(static_cast<double>(fit->Xmax), static_cast<double>(row.fit.Xmax), 1e-12);
        }
        EXPECT_NEAR(static_cast<double>(fit->Ymin), static_cast<double>(row.fit.Ymin), 1e-12);
        EXPECT_NEAR(static_cast<double>(fit->Ymax), static_cast<double>(row.fit.Ymax), 1e-12);
    }
}

TEST(DataSetFit, AutomaticScalingFitsTheViewAndNamesTheAxes) {
    DataSetFixture f;
    f.settings.AutoYScaling = true;
    f.engine->Document.DataSetAxisLabels = "time,height";
    f.addSets({"10,20", "50,100", "#"});
    f.engine->replotAll();
    EXPECT_EQ(f.host.fields[2], "-4");
    EXPECT_EQ(f.host.fields[3], "60");
    EXPECT_EQ(f.host.fields[4], "-8");
    EXPECT_EQ(f.host.fields[5], "120");
    EXPECT_EQ(f.settings.XAxisName, "time");
    EXPECT_EQ(f.settings.YAxisName, "height");
    EXPECT_EQ(f.at(50, 100), f.mark(0));
}

} // namespace
