// Saving the plot: raster pictures decode to the plot picture, SVG and PDF show the same drawing as
// vectors, renderTo stays inside the plot area, and a failed write leaves the old file.
#include "PlotTestSupport.h"

#include "AtomicFile.h"
#include "Errors.h"
#include "GifDecode.h"
#include "PlotExport.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace kurvo;
using kurvo::test::PlotFixture;

namespace {

/// Two graphs over axes and labels: x^2 in one piece, 1/x in two.
struct ExportFixture : PlotFixture {
    ExportFixture() : PlotFixture(400, 300) {
        settings.showAxes = true;
        settings.showAsymptotes = false;
        engine->replotAll();
        plotAll({"x^2", "1/x"});
    }
};

TEST(PictureFormats, NamesAndExtensions) {
    struct Row {
        const char* chosen;
        PictureFormat format;
        const char* file;
    };
    const Row rows[] = {
        {"plot", PictureFormat::Bmp, "plot.bmp"},         {"plot.bmp", PictureFormat::Bmp, "plot.bmp.bmp"},
        {"plot", PictureFormat::Gif, "plot.gif"},         {"plot.gif", PictureFormat::Gif, "plot.gif.gif"},
        {"plot", PictureFormat::Png, "plot.png"},         {"plot.PNG", PictureFormat::Png, "plot.PNG"},
        {"a/plot.svg", PictureFormat::Svg, "a/plot.svg"}, {"plot.png", PictureFormat::Pdf, "plot.png.pdf"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(pictureFileName(r.chosen, r.format).toStdString(), r.file) << r.chosen;
    EXPECT_EQ(pictureFormatOf("x.SVG"), PictureFormat::Svg);
    EXPECT_EQ(pictureFormatOf("dir.pdf/x.gif"), PictureFormat::Gif);
    EXPECT_EQ(pictureFormatOf("x.jpg"), std::nullopt);
    EXPECT_EQ(pictureFormatOf("pdf"), std::nullopt);
}

TEST(PictureFormats, RasterPicturesDecodeToThePlotPicture) {
    ExportFixture f;
    const QImage picture = f.engine->composedPicture();
    for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Gif, PictureFormat::Png}) {
        const QByteArray bytes = pictureBytes(*f.engine, format);
        const QImage back = format == PictureFormat::Gif
                                ? test::decodeGif(bytes)
                                : QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), picture.size()) << pictureExtension(format);
        int differing = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                differing += back.pixel(x, y) != picture.pixel(x, y);
        EXPECT_EQ(differing, 0) << pictureExtension(format);
    }
    EXPECT_TRUE(pictureBytes(*f.engine, PictureFormat::Bmp).startsWith("BM"));
    EXPECT_TRUE(pictureBytes(*f.engine, PictureFormat::Gif).startsWith("GIF8"));
}

/// Per stroke colour, the curve elements (polyline or path) of an SVG document; and its texts.
struct SvgContent {
    QMap<QString, int> curves;
    QStringList texts;
    QString width, height, viewBox;
};

SvgContent readSvg(const QByteArray& bytes) {
    SvgContent out;
    QXmlStreamReader xml(bytes);
    QStringList strokes{"none"};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString stroke = xml.attributes().hasAttribute("stroke")
                                       ? xml.attributes().value("stroke").toString()
                                       : strokes.back();
            const auto name = xml.name();
            if (name == QLatin1String("svg")) {
                out.width = xml.attributes().value("width").toString();
                out.height = xml.attributes().value("height").toString();
                out.viewBox = xml.attributes().value("viewBox").toString();
            }
            if (name == QLatin1String("polyline") || name == QLatin1String("path")) ++out.curves[stroke];
            if (name == QLatin1String("text"))
                out.texts << xml.readElementText().trimmed();
            else
                strokes.push_back(stroke);
        } else if (xml.isEndElement()) {
            strokes.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return out;
}

TEST(VectorDocuments, SvgHasOneCurvePerPieceAndTextLabels) {
    ExportFixture f;
    const SvgContent svg = readSvg(pictureBytes(*f.engine, PictureFormat::Svg));
    EXPECT_EQ(svg.viewBox, "0 0 400 300");
    EXPECT_EQ(svg.curves.value(f.graph(0).name()), 1) << "x^2 is one piece";
    EXPECT_EQ(svg.curves.value(f.graph(1).name()), 2) << "1/x is two pieces";
    for (const char* label : {"x", "y", "2", "-8", "6", "-6"})
        EXPECT_TRUE(svg.texts.contains(label)) << label << " in " << svg.texts.join(' ').toStdString();
}

TEST(VectorDocuments, AGraphThatFailsLeavesTheLaterGraphsDrawn) {
    PlotFixture f(400, 300);
    f.settings.CartesianMode = false; // polar: an evaluation error ends the graph's paint
    f.engine->syncModes();
    f.plotAll({"1/(t-1)", "2"});
    const SvgContent svg = readSvg(pictureBytes(*f.engine, PictureFormat::Svg));
    EXPECT_EQ(svg.curves.value(f.graph(1).name()), 1) << "the circle after the failing graph";
}

/// Pixels of colour `c` (to within `tolerance` per channel) in a picture.
std::vector<QPoint> pixelsOf(const QImage& image, const QColor& c, int tolerance) {
    std::vector<QPoint> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) <= tolerance && std::abs(p.green() - c.green()) <= tolerance &&
                std::abs(p.blue() - c.blue()) <= tolerance)
                out.push_back({x, y});
        }
    return out;
}

/// Whether every point of `a` has a point of `b` within `radius`.
bool allNear(const std::vector<QPoint>& a, const std::vector<QPoint>& b, int radius) {
    for (const QPoint& p : a) {
        bool found = false;
        for (const QPoint& q : b)
            if (std::abs(p.x() - q.x()) <= radius && std::abs(p.y() - q.y()) <= radius) {
                found = true;
                break;
            }
        if (!found) return false;
    }
    return true;
}

TEST(VectorDocuments, PdfShowsTheCurveWhereThePictureShowsIt) {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    ExportFixture f;
    f.settings.showAxes = false; // curves alone: where they run along an axis they blend with it
    f.engine->replotAll();
    QTemporaryDir dir;
    const std::filesystem::path pdf = dir.filePath("plot.pdf").toStdString();
    savePicture(*f.engine, pdf, PictureFormat::Pdf);
    // Without antialiasing a one-pixel line comes out solid, as on the picture.
    QProcess::execute(pdftoppm, {"-png", "-aa", "no", "-aaVector", "no", "-r",
                                 QString::number(QImage(1, 1, QImage::Format_RGB32).logicalDpiY()),
                                 "-singlefile", QString::fromStdString(pdf.string()), dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    const QImage picture = f.engine->composedPicture();
    ASSERT_EQ(page.size(), picture.size());
    for (int slot : {0, 1}) {
        const auto drawn = pixelsOf(picture, f.graph(slot), 0);
        const auto printed = pixelsOf(page, f.graph(slot), 60);
        ASSERT_GT(drawn.size(), 200u);
        ASSERT_GT(printed.size(), 200u);
        EXPECT_TRUE(allNear(drawn, printed, 2)) << "slot " << slot << ": every curve pixel is in the PDF";
        EXPECT_TRUE(allNear(printed, drawn, 2)) << "slot " << slot << ": the PDF has no curve elsewhere";
    }
}

TEST(RenderTo, StaysInsideThePlotArea) {
    // -x^2 and the asymptote of tan run far beyond the area; a bigger device must not show them.
    PlotFixture f(200, 150);
    f.plotAll({"0-x^2", "tanx"});
    QImage big(600, 450, QImage::Format_RGB32);
    big.fill(Qt::magenta);
    f.renderOnto(big);
    int outside = 0, inside = 0;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) {
            const bool magenta = big.pixel(x, y) == QColor(Qt::magenta).rgb();
            if (x < 200 && y < 150)
                inside += !magenta;
            else
                outside += !magenta;
        }
    EXPECT_EQ(inside, 200 * 150) << "the area is painted whole";
    EXPECT_EQ(outside, 0);
}

TEST(RenderTo, LabelsKeepTheirSizeOnADeviceOfAnotherResolution) {
    ExportFixture f;
    auto render = [&](int dpi) {
        QImage image(400, 300, QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
        image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
        f.renderOnto(image);
        return image;
    };
    const QImage screen = render(QImage(1, 1, QImage::Format_RGB32).logicalDpiY());
    const QImage printer = render(600);
    const QColor text = f.engine->colour(f.settings.fontColour);
    const auto a = pixelsOf(screen, text, 0), b = pixelsOf(printer, text, 0);
    // The same glyphs at the same places: at most a few pixels differ from font hinting.
    EXPECT_LT(std::abs(static_cast<long>(a.size()) - static_cast<long>(b.size())), 40)
        << a.size() << " " << b.size();
    EXPECT_TRUE(allNear(b, a, 1));
}

TEST(SavePicture, AFailedWriteNamesTheFileAndLeavesTheOldOne) {
    ExportFixture f;
    QTemporaryDir dir;
    // A name the folder can hold, but whose temporary companion is too long to create.
    const std::filesystem::path file = dir.filePath(QString(240, 'p') + ".png").toStdString();
    {
        QFile old(QString::fromStdString(file.string()));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old picture");
    }
    for (PictureFormat format : {PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf}) {
        try {
            savePicture(*f.engine, file, format);
            ADD_FAILURE() << "no error for " << pictureExtension(format);
        } catch (const EInOutError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("Cannot write " + file.string() + ": ", 0), 0u) << message;
            EXPECT_NE(message.find("too long"), std::string::npos) << message;
        }
        EXPECT_EQ(readFileBytes(file), "old picture");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path().toStdString()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left";
    // A missing folder is said the same way.
    EXPECT_THROW(savePicture(*f.engine, dir.filePath("none/plot.gif").toStdString(), PictureFormat::Gif),
                 EInOutError);
}

} // namespace
