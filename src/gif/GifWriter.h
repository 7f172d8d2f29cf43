// Writes a picture as a GIF file (256 colours at most) through giflib.
#pragma once

#include <QImage>
#include <QString>

namespace kurvo {

/// Saves `image` as a GIF file, written whole to a temporary file and renamed over `fileName`.
/// Raises EInOutError naming the file and the reason when it cannot be written.
void saveGif(const QImage& image, const QString& fileName);

} // namespace kurvo
