// The GIF writer: a picture read back has the same pixels; a failed write names the file.
#include "GifWriter.h"
#include "Errors.h"
#include "GifDecode.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace kurvo;

namespace {

TEST(GifWriter, PixelsSurviveAWriteAndRead) {
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setPen(QPen(Qt::blue, 3));
    p.drawLine(0, 0, 119, 79);
    p.setPen(Qt::red);
    p.drawPoint(60, 10);
    p.end();

    QTemporaryDir dir;
    QString file = dir.filePath("plot.gif");
    saveGif(picture, file);
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    QImage back = test::decodeGif(written.readAll());
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), picture.size());
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(back.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(back.pixel(60, 10), qRgb(255, 0, 0));
}

/// A picture of exactly `colours` distinct colours, each in a vertical band, with one colour
/// covering most of it (as the background of a plot does).
QImage bands(int colours) {
    QImage picture(600, 100, QImage::Format_RGB32);
    picture.fill(qRgb(255, 255, 255));
    for (int i = 1; i < colours; ++i)
        for (int y = 0; y < 40; ++y)
            picture.setPixel(i % 600, y + (i / 600) * 40, qRgb(i % 256, (i * 7) % 256, 255 - i / 256));
    return picture;
}

TEST(GifWriter, PalettesUpTo256ColoursAreExact) {
    for (int colours : {2, 3, 17, 255, 256}) {
        const QImage picture = bands(colours);
        const TIndexedPicture indexed = indexedPicture(picture);
        EXPECT_EQ(indexed.palette.size(), colours);
        EXPECT_EQ(indexed.palette.front(), qRgb(255, 255, 255)) << "colours in the order they occur";
        const QImage back = test::decodeGif(gifBytes(picture));
        ASSERT_EQ(back.size(), picture.size());
        int differing = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                differing += back.pixel(x, y) != picture.pixel(x, y);
        EXPECT_EQ(differing, 0) << colours << " colours";
    }
}

TEST(GifWriter, MoreColoursAreReducedCloselyKeepingTheCommonOnesExact) {
    // An antialiased curve over a grid: hundreds of blends between a few dominant colours.
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(qRgb(255, 255, 255));
    QPainter p(&picture);
    p.setPen(QPen(QColor(220, 220, 220), 1));
    for (int x = 0; x < 400; x += 20)
        p.drawLine(x, 0, x, 300);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 40; ++i) {
        p.setPen(QPen(QColor::fromHsv(i * 9, 255, 200), 2.3));
        p.drawEllipse(QPointF(200, 150), 10 + i * 3.7, 7 + i * 2.9);
    }
    for (int i = 0; i < 300; ++i) // a smooth ramp: many colours of one pixel each
        picture.setPixel(i, 299, qRgb(i % 256, (i * 3) % 256, (i * 5) % 256));
    p.end();

    const TIndexedPicture indexed = indexedPicture(picture);
    EXPECT_EQ(indexed.palette.size(), 256);
    const QImage back = test::decodeGif(gifBytes(picture));
    ASSERT_EQ(back.size(), picture.size());
    double worst = 0, total = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb a = picture.pixel(x, y), b = back.pixel(x, y);
            const double d = std::hypot(qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b));
            worst = std::max(worst, d);
            total += d;
        }
    EXPECT_EQ(back.pixel(10, 1), qRgb(255, 255, 255)) << "the background stays exact";
    EXPECT_EQ(back.pixel(20, 1), qRgb(220, 220, 220)) << "the grid stays exact";
    // A fixed 6x6x6 colour cube gives a mean error of about 10 here.
    EXPECT_LT(total / (400 * 300), 4.5) << "mean error per pixel";
    EXPECT_LT(worst, 64) << "no pixel far off";
}

TEST(GifWriter, UnwritablePlaceIsAnInOutErrorNamingTheFile) {
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    try {
        saveGif(picture, "/nonexistent-folder/plot.gif");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent-folder/plot.gif"), std::string::npos);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
