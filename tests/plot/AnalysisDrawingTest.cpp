// The mirror lines of the reflections on a picture, and the matrix transformation's entries.
#include "MatrixEntries.h"
#include "MirrorLine.h"

#include "Defaults.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace kurvo;

namespace {

const QColor Red(255, 0, 0);

TPlotView view200() {
    TPlotView v;
    v.Xmin = -10;
    v.Xmax = 10;
    v.Ymin = -10;
    v.Ymax = 10;
    v.XRange = v.YRange = 20;
    v.PlotWidth = v.PlotHeight = 200;
    return v;
}

QImage blank() {
    QImage img(200, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

int redNear(const QImage& img, int px, int py) {
    int n = 0;
    for (int y = py - 1; y <= py + 1; ++y)
        for (int x = px - 1; x <= px + 1; ++x)
            if (img.valid(x, y) && QColor(img.pixel(x, y)) == Red) ++n;
    return n;
}

int redPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (QColor(img.pixel(x, y)) == Red) ++n;
    return n;
}

TEST(MirrorLine, RunsAcrossTheViewThroughItsPoints) {
    const TPlotView v = view200();
    QImage img = blank();
    {
        QPainter p(&img);
        drawMirrorLine(p, v, 0.5L, 1);
    }
    for (double x : {-8.0, -2.0, 0.0, 4.0, 8.0})
        EXPECT_GT(redNear(img, v.WorldToPixelX(x), v.WorldToPixelY(0.5 * x + 1)), 0) << "x=" << x;
    EXPECT_EQ(redNear(img, v.WorldToPixelX(0), v.WorldToPixelY(5)), 0);
    // Dotted: far fewer red pixels than the line is long.
    EXPECT_LT(redPixels(img), 200);
    EXPECT_GT(redPixels(img), 40);
}

TEST(MirrorLine, VerticalLineAndLinesOffThePicture) {
    const TPlotView v = view200();
    QImage img = blank();
    {
        QPainter p(&img);
        drawVerticalMirrorLine(p, v, 1);
    }
    const int column = v.WorldToPixelX(1);
    for (int row : {5, 100, 195})
        EXPECT_GT(redNear(img, column, row), 0) << row;
    // A very steep line is drawn without asking for pixels beyond the integer range; lines far off
    // the picture draw nothing.
    QImage steep = blank();
    {
        QPainter p(&steep);
        EXPECT_NO_THROW(drawMirrorLine(p, v, 1e15L, 0));
        drawMirrorLine(p, v, 0, 1e6L);
        drawVerticalMirrorLine(p, v, -1e9L);
    }
    EXPECT_GT(redNear(steep, v.WorldToPixelX(0), 100), 0);
    EXPECT_EQ(redNear(steep, 5, 5), 0);
}

TEST(MatrixEntries, ExpressionsFollowTheAngleModeAndTheConstants) {
    TSettingsRecord s = defaultSettings();
    TFormulaTrans translator;
    TParser parser;
    s.DegreeMode = true;
    TMatrixEntries e =
        evaluateMatrixEntries({"cos(60)", "-sin(30)", "sqrt(4)/4", "2a"}, s, translator, parser);
    ASSERT_TRUE(e.ok()) << e.error;
    EXPECT_NEAR(static_cast<double>(e.values[0]), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(e.values[1]), -0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(e.values[2]), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(e.values[3]), 2 * static_cast<double>(s.ConstantValues[0]), 1e-15);
    s.DegreeMode = false;
    e = evaluateMatrixEntries({"cos(60)", "0", "0", "1"}, s, translator, parser);
    ASSERT_TRUE(e.ok()) << e.error;
    EXPECT_NEAR(static_cast<double>(e.values[0]), std::cos(60.0), 1e-15);
}

TEST(MatrixEntries, TheEntryAtFaultIsNamed) {
    const TSettingsRecord s = defaultSettings();
    TFormulaTrans translator;
    TParser parser;
    struct Row {
        std::array<std::string, 4> texts;
        std::string prefix;
    };
    const Row rows[] = {
        {{"1", "", "0", "1"}, "Row 1, column 2: the entry is empty."},
        {{"1", "0", "sqrt(", "1"}, "Row 2, column 1: "},
        {{"1", "0", "0", "1/0"}, "Row 2, column 2: Floating point division by zero"},
        {{"ln(0-1)", "0", "0", "1"}, "Row 1, column 1: "},
    };
    for (const Row& row : rows) {
        TMatrixEntries e = evaluateMatrixEntries(row.texts, s, translator, parser);
        EXPECT_FALSE(e.ok()) << row.prefix;
        EXPECT_EQ(e.error.substr(0, row.prefix.size()), row.prefix) << e.error;
    }
}

} // namespace
