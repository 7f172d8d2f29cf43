// Writes a picture as a GIF file (256 colours at most) through giflib.
#include "GifWriter.h"

#include "Errors.h"

#include <QSaveFile>

#include <gif_lib.h>

#include <vector>

namespace kurvo {

namespace {

int writeToSaveFile(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* file = static_cast<QSaveFile*>(gif->UserData);
    return static_cast<int>(file->write(reinterpret_cast<const char*>(bytes), length));
}

[[noreturn]] void fail(const QString& fileName, const QString& reason) {
    throw EInOutError(("Cannot write " + fileName + ": " + reason).toStdString());
}

} // namespace

void saveGif(const QImage& image, const QString& fileName) {
    if (image.isNull()) fail(fileName, "the picture is empty");
    // Plots use few colours; pictures with more are reduced to the 256 a GIF can hold.
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    const QList<QRgb> table = indexed.colorTable();
    int bits = 1;
    while ((1 << bits) < table.size())
        ++bits;

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) fail(fileName, file.errorString());
    int error = 0;
    GifFileType* gif = EGifOpen(&file, writeToSaveFile, &error);
    if (gif == nullptr) fail(fileName, GifErrorString(error));

    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    for (int i = 0; i < (1 << bits); ++i) {
        QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        map->Colors[i] = GifColorType{static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                                      static_cast<GifByteType>(qBlue(c))};
    }
    bool ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(static_cast<std::size_t>(indexed.width()));
    for (int y = 0; ok && y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        std::copy(row, row + indexed.width(), line.begin());
        ok = EGifPutLine(gif, line.data(), indexed.width()) == GIF_OK;
    }
    int closeError = 0;
    int lastError = gif->Error;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &closeError) != GIF_OK) ok = false;
    if (!ok) fail(fileName, GifErrorString(lastError ? lastError : closeError));
    if (!file.commit()) fail(fileName, file.errorString());
}

} // namespace kurvo
