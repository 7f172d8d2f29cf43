// Writes a picture as a GIF file (256 colours at most) through giflib.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

namespace kurvo {

/// A picture reduced to a palette of at most 256 colours and one palette index per pixel.
struct TIndexedPicture {
    int width = 0;
    int height = 0;
    QList<QRgb> palette;               ///< opaque colours, in the order they first occur
    std::vector<std::uint8_t> indices; ///< row by row, width * height entries
};

/// Reduces a picture to at most 256 colours. A picture with 256 colours or fewer keeps every colour
/// exactly; one with more is reduced by a median cut weighted by how often each colour occurs, and
/// each pixel takes the nearest colour of the cut (no dithering, so thin lines stay solid). Alpha is
/// composed over black first, as the plot picture is always opaque.
TIndexedPicture indexedPicture(const QImage& image);

/// The picture as the bytes of a GIF file. Raises EInOutError ("Cannot write the GIF picture:
/// reason") when the encoder fails or the picture is empty.
QByteArray gifBytes(const QImage& image);

/// Saves `image` as a GIF file, written whole to a temporary file and renamed over `fileName`.
/// Raises EInOutError naming the file and the reason when it cannot be written.
void saveGif(const QImage& image, const QString& fileName);

} // namespace kurvo
