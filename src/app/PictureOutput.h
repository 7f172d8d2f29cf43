// The window's output commands without their dialogs: save a picture, copy it, print it.
#pragma once

#include "PlotExport.h"

#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;

namespace kurvo {

/// The save dialog's filters, in order: Bitmap, Gif, then PNG, SVG and PDF.
QStringList pictureFilters();
/// The format of one of those filters; none for another text.
std::optional<PictureFormat> filterFormat(const QString& filter);

/// Puts the plot picture, as the window shows it, on the clipboard as an image.
void copyPictureToClipboard(const TPlotEngine& engine);

/// Prints one page of the graph at `percent` of the printable page (see drawPrintPage). When the
/// printer writes a file (print to PDF), the file is written whole: the page goes to a temporary file
/// beside it that is renamed over it at the end, so a failure leaves an older file as it was. Raises
/// EInOutError naming the file (or the printer) and the reason.
void printGraph(TPlotEngine& engine, QPrinter& printer, int percent);

} // namespace kurvo
