// Decodes GIF bytes with giflib, independently of Qt's image plugins (link GIF::GIF to use it).
#pragma once

#include <QByteArray>
#include <QImage>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace kurvo::test {

/// The first frame of a GIF file as an RGB32 picture; a null picture when the bytes are no GIF.
inline QImage decodeGif(const QByteArray& bytes) {
    struct Reader {
        const QByteArray* bytes;
        qsizetype at = 0;
    } reader{&bytes};
    auto read = [](GifFileType* gif, GifByteType* out, int length) -> int {
        auto* r = static_cast<Reader*>(gif->UserData);
        const int n = static_cast<int>(std::min<qsizetype>(length, r->bytes->size() - r->at));
        std::memcpy(out, r->bytes->constData() + r->at, static_cast<std::size_t>(n));
        r->at += n;
        return n;
    };
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, read, &error);
    if (!gif) return {};
    QImage image;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        const SavedImage& frame = gif->SavedImages[0];
        const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        image = QImage(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
        for (int y = 0; y < frame.ImageDesc.Height; ++y)
            for (int x = 0; x < frame.ImageDesc.Width; ++x) {
                const GifColorType c = map->Colors[frame.RasterBits[y * frame.ImageDesc.Width + x]];
                image.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
            }
    }
    DGifCloseFile(gif, &error);
    return image;
}

} // namespace kurvo::test
