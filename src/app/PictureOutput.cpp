// The window's output commands: the picture filters, the clipboard and printing a page.
#include "PictureOutput.h"

#include "Errors.h"
#include "PrintLayout.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include <filesystem>

namespace kurvo {
namespace {

struct FilterRow {
    const char* filter;
    PictureFormat format;
};

const FilterRow Filters[] = {
    {"Bitmap (.bmp) (*.bmp)", PictureFormat::Bmp}, {"Gif (.gif) (*.gif)", PictureFormat::Gif},
    {"PNG picture (*.png)", PictureFormat::Png},   {"SVG drawing (*.svg)", PictureFormat::Svg},
    {"PDF document (*.pdf)", PictureFormat::Pdf},
};

[[noreturn]] void cannotWrite(const QString& what, const QString& reason) {
    throw EInOutError(("Cannot write " + what + ": " + reason).toStdString());
}

} // namespace

QStringList pictureFilters() {
    QStringList out;
    for (const FilterRow& r : Filters)
        out << r.filter;
    return out;
}

std::optional<PictureFormat> filterFormat(const QString& filter) {
    for (const FilterRow& r : Filters)
        if (filter == r.filter) return r.format;
    return std::nullopt;
}

void copyPictureToClipboard(const TPlotEngine& engine) {
    QGuiApplication::clipboard()->setImage(engine.composedPicture());
}

void printGraph(TPlotEngine& engine, QPrinter& printer, int percent) {
    const QString target = printer.outputFileName();
    std::optional<QTemporaryFile> temp;
    if (!target.isEmpty()) {
        const QFileInfo info(target);
        temp.emplace(info.absolutePath() + "/." + info.fileName() + ".XXXXXX");
        if (!temp->open()) cannotWrite(target, temp->errorString());
        temp->close();
        printer.setOutputFileName(temp->fileName());
    }
    // The printer keeps the name the user chose, whatever happens below.
    struct Restore {
        QPrinter& printer;
        QString name;
        ~Restore() { printer.setOutputFileName(name); }
    } restore{printer, target};

    const QString what = target.isEmpty() ? "to the printer " + printer.printerName() : target;
    QPainter painter;
    if (!painter.begin(&printer)) cannotWrite(what, "the print job could not be started");
    drawPrintPage(engine, painter, printer.pageRect(QPrinter::DevicePixel).size().toSize(), percent);
    if (!painter.end()) cannotWrite(what, "the print job could not be finished");

    if (temp) {
        std::error_code error;
        std::filesystem::rename(temp->fileName().toStdString(), target.toStdString(), error);
        if (error) cannotWrite(target, QString::fromStdString(error.message()));
        temp->setAutoRemove(false);
    }
}

} // namespace kurvo
