// The GIF writer: a picture read back has the same pixels; a failed write names the file.
#include "GifWriter.h"
#include "Errors.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    if (!QImageReader::supportedImageFormats().contains("gif")) GTEST_SKIP() << "no GIF reader to check with";
    QImage back(file);
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), picture.size());
    for (int y = 0; y < 80; y += 7)
        for (int x = 0; x < 120; x += 5)
            EXPECT_EQ(back.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(back.pixel(60, 10), qRgb(255, 0, 0));
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
