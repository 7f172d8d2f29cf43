// Saving the plot as a picture (BMP, GIF, PNG) or as vectors (SVG, PDF), each file written whole.
#pragma once

#include "PlotEngine.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <optional>

namespace kurvo {

enum class PictureFormat { Bmp, Gif, Png, Svg, Pdf };

/// The format named by a file name's extension, in any letter case; none for another extension.
std::optional<PictureFormat> pictureFormatOf(const std::filesystem::path& file);
/// The extension of a format with its dot (".bmp").
const char* pictureExtension(PictureFormat format);
/// The file a name chosen in the save dialog stands for. A bitmap or GIF always gets its extension
/// appended, even when the name ends in it already ("plot.bmp" gives "plot.bmp.bmp"); PNG, SVG and
/// PDF get theirs only when the name does not end in it.
QString pictureFileName(const QString& chosen, PictureFormat format);

/// The plot picture as the window shows it (the plot area over the background colour), encoded as a
/// BMP, GIF or PNG file; or the plot drawn again as vectors by the same paint code (curves as paths,
/// labels as text) into an SVG or PDF document of the plot area's size. Raises EInOutError
/// ("Cannot write the FORMAT picture: reason") when the picture cannot be encoded.
QByteArray pictureBytes(TPlotEngine& engine, PictureFormat format);

/// Writes the picture in `format` to `file`, whole: a failure leaves an older file as it was and
/// raises EInOutError ("Cannot write FILE: reason").
void savePicture(TPlotEngine& engine, const std::filesystem::path& file, PictureFormat format);

} // namespace kurvo
