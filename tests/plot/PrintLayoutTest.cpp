// The printed page's rectangles, computed without a printer; and a page printed into a PDF.
#include "PlotTestSupport.h"

#include "PrintLayout.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kurvo;
using kurvo::test::PlotFixture;

namespace {

const QSize Title(600, 80), Credit(500, 40); // measured text lines; the gap is half a credit line
const QSize Portrait(2400, 3400), Landscape(3400, 2400);

TEST(PrintLayout, PercentageOfTheWidthCentred) {
    struct Row {
        int percent;
        int left, right;
    };
    for (const Row& r : {Row{100, 0, 2400}, Row{50, 600, 1800}, Row{0, 1200, 1200}, Row{150, 0, 2400},
                         Row{-5, 1200, 1200}, Row{75, 300, 2100}}) {
        const TPrintLayout l = printLayout(Portrait, QSize(800, 600), r.percent, false, Title, Credit);
        EXPECT_EQ(l.picture.left(), r.left) << r.percent;
        EXPECT_EQ(l.picture.left() + l.picture.width(), r.right) << r.percent;
    }
}

TEST(PrintLayout, PictureKeepsThePlotsShapeAsLargeAsThePercentageAllows) {
    // The title band is 80 + 20 high, the credit band 40 + 20: the area is the page's height - 160.
    struct Row {
        QSize page, plot;
        int percent;
        int width, height; // the picture's size
    };
    for (const Row& r : {Row{Portrait, {800, 600}, 100, 2400, 1800},  // the width limits
                         Row{Portrait, {800, 600}, 50, 1200, 900},
                         Row{Portrait, {300, 700}, 100, 1388, 3240}, // taller than wide: the height limits
                         Row{Portrait, {1700, 600}, 100, 2400, 846},
                         Row{Landscape, {800, 600}, 100, 2986, 2240}, // the area is 2240 high
                         Row{Landscape, {800, 600}, 40, 1194, 896}}) {
        const TPrintLayout l = printLayout(r.page, r.plot, r.percent, false, Title, Credit);
        const int areaHeight = r.page.height() - 160;
        EXPECT_NEAR(l.picture.width(), r.width, 2) << r.plot.width() << "x" << r.plot.height();
        EXPECT_NEAR(l.picture.height(), r.height, 2) << r.plot.width() << "x" << r.plot.height();
        // The same scale both ways: a circle prints as a circle.
        EXPECT_NEAR(double(l.picture.width()) / l.picture.height(), double(r.plot.width()) / r.plot.height(),
                    0.01);
        EXPECT_NEAR(l.picture.left() + l.picture.width() / 2, r.page.width() / 2, 1) << "centred across";
        EXPECT_NEAR(l.picture.top() + l.picture.height() / 2, 100 + areaHeight / 2, 1) << "centred in the area";
    }
}

TEST(PrintLayout, SquareAxesGiveASquare) {
    for (QSize page : {Portrait, Landscape})
        for (int percent : {100, 60, 5}) {
            const TPrintLayout l = printLayout(page, QSize(600, 600), percent, true, Title, Credit);
            EXPECT_EQ(l.picture.width(), l.picture.height()) << page.width() << " " << percent;
            if (page == Portrait) EXPECT_EQ(l.picture.width(), 2 * (percent * 1200 / 100));
        }
    // On a landscape page the square is limited by the height left between the text bands.
    EXPECT_LE(printLayout(Landscape, QSize(600, 600), 100, true, Title, Credit).picture.height(),
              2400 - 160 + 1);
}

TEST(PrintLayout, TextsAreOnThePageAboveAndBelowThePicture) {
    for (QSize page : {Portrait, Landscape})
        for (QSize plot : {QSize(800, 600), QSize(300, 700), QSize(2000, 400)})
            for (bool square : {false, true})
                for (int percent : {100, 50, 0}) {
                    const TPrintLayout l = printLayout(page, plot, percent, square, Title, Credit);
                    const QRect sheet(QPoint(0, 0), page);
                    EXPECT_TRUE(sheet.contains(l.title)) << percent;
                    EXPECT_TRUE(sheet.contains(l.credit)) << percent;
                    EXPECT_TRUE(percent == 0 || sheet.contains(l.picture)) << percent;
                    EXPECT_LT(l.title.bottom(), l.picture.top());
                    EXPECT_GT(l.credit.top(), l.picture.bottom());
                    EXPECT_EQ(l.title.left(), l.picture.left()) << "the title starts at the picture's left";
                    EXPECT_EQ(l.credit.right(), l.picture.right()) << "the credit ends at its right";
                }
}

TEST(PrintPage, TitleFormulaAndCredit) {
    PlotFixture f(400, 300);
    EXPECT_EQ(printTitle(*f.engine).toStdString(), "y= ");
    f.plotAll({"x^2", "sin\xB2x"});
    EXPECT_EQ(printTitle(*f.engine).toStdString(), "y= sin\xC2\xB2x");
}

TEST(PrintPage, APageInAPdfShowsPictureTitleAndCredit) {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftoppm.isEmpty() || pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
    PlotFixture f(400, 300);
    f.plot("x");
    QTemporaryDir dir;
    TPrintLayout layout;
    {
        QPdfWriter pdf(dir.filePath("page.pdf"));
        pdf.setResolution(150);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0)); // the printable page is the whole sheet
        QPainter painter(&pdf);
        const QSize page(pdf.width(), pdf.height());
        layout = pageLayout(*f.engine, pdf, page, 50);
        EXPECT_EQ(layout.picture.width(), page.width() / 2 / 2 * 2) << "half the width";
        drawPrintPage(*f.engine, painter, page, 50);
    }
    QProcess::execute(pdftotext, {dir.filePath("page.pdf"), dir.filePath("page.txt")});
    QFile text(dir.filePath("page.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString words = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(words.contains("y= x")) << words.toStdString();
    EXPECT_TRUE(words.contains(printCredit())) << words.toStdString();

    // Rasterised at a third of the writer's resolution: y = x where the layout put the picture.
    QProcess::execute(pdftoppm,
                      {"-png", "-r", "50", "-singlefile", dir.filePath("page.pdf"), dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    const QColor curve = f.graph(0);
    auto curveNear = [&](double worldX, double worldY) {
        const QRectF r(layout.picture);
        const int x = static_cast<int>((r.left() + (worldX + 10) / 20 * r.width()) / 3);
        const int y = static_cast<int>((r.top() + (7 - worldY) / 14 * r.height()) / 3);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QColor c = page.pixelColor(x + dx, y + dy);
                if (c.red() > 150 && c.green() < 120 && c.blue() < 120) return true;
            }
        return false;
    };
    ASSERT_EQ(curve, QColor(255, 0, 0));
    for (double v : {-6.0, -3.0, 0.5, 4.0, 6.5})
        EXPECT_TRUE(curveNear(v, v)) << "y = x at " << v;
    EXPECT_FALSE(curveNear(4, -4)) << "nothing where the curve is not";
    EXPECT_FALSE(curveNear(-12, -12)) << "nothing beyond the picture";
}

} // namespace
