// Saving the plot: raster pictures from the plot picture, SVG and PDF drawn again through renderTo.
#include "PlotExport.h"

#include "AsciiCase.h"
#include "AtomicFile.h"
#include "Errors.h"
#include "GifWriter.h"
#include "PlotHost.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace kurvo {
namespace {

/// Each format's name in messages and its file extension.
struct FormatNames {
    PictureFormat format;
    const char* name;
    const char* extension;
};

constexpr FormatNames Formats[] = {
    {PictureFormat::Bmp, "BMP", ".bmp"}, {PictureFormat::Gif, "GIF", ".gif"},
    {PictureFormat::Png, "PNG", ".png"}, {PictureFormat::Svg, "SVG", ".svg"},
    {PictureFormat::Pdf, "PDF", ".pdf"},
};

/// The names of `format`; empty names for a value outside the enumeration.
FormatNames namesOf(PictureFormat format) {
    for (const FormatNames& f : Formats)
        if (f.format == format) return f;
    return {format, "", ""};
}

const char* formatName(PictureFormat format) {
    return namesOf(format).name;
}

[[noreturn]] void cannotEncode(PictureFormat format, const std::string& reason) {
    throw EInOutError(std::string("Cannot write the ") + formatName(format) + " picture: " + reason);
}

/// The resolution the plot picture's fonts are measured at: vector documents use it too, so one
/// plot pixel is one unit of the document and the labels keep their size.
int pictureDpi() {
    return QImage(1, 1, QImage::Format_RGB32).logicalDpiY();
}

QByteArray rasterBytes(const QImage& picture, PictureFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, format == PictureFormat::Bmp ? "BMP" : "PNG"))
        cannotEncode(format, "the picture could not be encoded");
    return bytes;
}

/// Draws the plot again through `device` (a vector document writing into a buffer).
void renderInto(QPaintDevice& device, TPlotEngine& engine, PictureFormat format) {
    QPainter painter;
    if (!painter.begin(&device))
        cannotEncode(format, std::string("the ") + formatName(format) + " document could not be started");
    TSilentFeedback quiet;
    engine.renderTo(painter, quiet);
    painter.end();
}

QByteArray svgBytes(TPlotEngine& engine) {
    const QSize size = engine.composedPicture().deviceIndependentSize().toSize();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(pictureDpi());
    svg.setTitle("Kurvo32 graph");
    svg.setDescription("Drawn by Kurvo32 Graph Editor");
    renderInto(svg, engine, PictureFormat::Svg);
    return bytes;
}

QByteArray pdfBytes(TPlotEngine& engine) {
    const QSize size = engine.composedPicture().deviceIndependentSize().toSize();
    const int dpi = pictureDpi();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(dpi);
    pdf.setCreator("Kurvo32 Graph Editor");
    pdf.setTitle("Kurvo32 graph");
    // One page exactly the plot area's size, without margins: a plot pixel is one device pixel.
    const QSizeF points(size.width() * 72.0 / dpi, size.height() * 72.0 / dpi);
    pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    renderInto(pdf, engine, PictureFormat::Pdf);
    return bytes;
}

} // namespace

std::optional<PictureFormat> pictureFormatOf(const std::filesystem::path& file) {
    const std::string extension = asciiLower(file.extension().string());
    for (const FormatNames& f : Formats)
        if (extension == f.extension) return f.format;
    return std::nullopt;
}

const char* pictureExtension(PictureFormat format) {
    return namesOf(format).extension;
}

QString pictureFileName(const QString& chosen, PictureFormat format) {
    const QString extension = pictureExtension(format);
    if (format == PictureFormat::Bmp || format == PictureFormat::Gif) return chosen + extension;
    return chosen.endsWith(extension, Qt::CaseInsensitive) ? chosen : chosen + extension;
}

QByteArray pictureBytes(TPlotEngine& engine, PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp:
    case PictureFormat::Png:
        return rasterBytes(engine.composedPicture(), format);
    case PictureFormat::Gif:
        return gifBytes(engine.composedPicture());
    case PictureFormat::Svg:
        return svgBytes(engine);
    case PictureFormat::Pdf:
        return pdfBytes(engine);
    }
    return {};
}

void savePicture(TPlotEngine& engine, const std::filesystem::path& file, PictureFormat format) {
    QByteArray bytes;
    try {
        bytes = pictureBytes(engine, format);
    } catch (const EInOutError& e) {
        // Said against the file the user named, as every other write failure is.
        const std::string message = e.what();
        throw EInOutError("Cannot write " + file.string() + ": " + message.substr(message.find(": ") + 2));
    }
    writeFileAtomically(file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace kurvo
