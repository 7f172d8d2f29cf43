// Writes a picture as a GIF file (256 colours at most) through giflib.
#include "GifWriter.h"

#include "Errors.h"

#include <QHash>
#include <QSaveFile>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

namespace kurvo {

namespace {

constexpr int MaxColours = 256;

struct ColourCount {
    std::array<int, 3> rgb;
    std::int64_t count;
};

/// A run [begin, end) of the colour list: one box of the median cut.
struct Box {
    std::size_t begin, end;
    std::int64_t population = 0;
    int channel = 0; ///< the channel with the widest range
    int range = 0;   ///< that range
};

void measure(Box& box, const std::vector<ColourCount>& colours) {
    std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
    box.population = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], colours[i].rgb[c]);
            hi[c] = std::max(hi[c], colours[i].rgb[c]);
        }
        box.population += colours[i].count;
    }
    box.channel = 0;
    box.range = -1;
    for (int c = 0; c < 3; ++c)
        if (hi[c] - lo[c] > box.range) box.range = hi[c] - lo[c], box.channel = c;
}

/// Median cut over the distinct colours: a box is split at its population median along its widest
/// channel, until there are `wanted` boxes; each box gives the population-weighted mean of its
/// colours.
QList<QRgb> medianCut(std::vector<ColourCount> colours, int wanted) {
    std::vector<Box> boxes{{0, colours.size()}};
    measure(boxes.front(), colours);
    while (static_cast<int>(boxes.size()) < wanted) {
        auto widest = boxes.end();
        double best = 0;
        // Three quarters of the boxes go where most pixels are; the rest to the widest spreads,
        // so rare colours (thin antialiased edges) are not swallowed by a common neighbour.
        const bool byPopulation = static_cast<int>(boxes.size()) < wanted * 3 / 4;
        for (auto b = boxes.begin(); b != boxes.end(); ++b) {
            double score = byPopulation ? static_cast<double>(b->population) * b->range : b->range;
            if (b->end - b->begin > 1 && score > best) best = score, widest = b;
        }
        if (widest == boxes.end()) break; // every box holds a single colour
        Box box = *widest;
        const int ch = box.channel;
        std::sort(colours.begin() + static_cast<std::ptrdiff_t>(box.begin),
                  colours.begin() + static_cast<std::ptrdiff_t>(box.end),
                  [ch](const ColourCount& a, const ColourCount& b) { return a.rgb[ch] < b.rgb[ch]; });
        std::int64_t half = box.population / 2, seen = 0;
        std::size_t cut = box.begin;
        while (cut < box.end - 1 && seen + colours[cut].count <= half)
            seen += colours[cut++].count;
        if (cut == box.begin) cut = box.begin + 1; // both halves keep at least one colour
        Box lower{box.begin, cut}, upper{cut, box.end};
        measure(lower, colours);
        measure(upper, colours);
        *widest = lower;
        boxes.push_back(upper);
    }
    QList<QRgb> palette;
    for (const Box& b : boxes) {
        std::array<double, 3> sum{0, 0, 0};
        std::size_t most = b.begin;
        for (std::size_t i = b.begin; i < b.end; ++i) {
            for (int c = 0; c < 3; ++c)
                sum[c] += static_cast<double>(colours[i].rgb[c]) * static_cast<double>(colours[i].count);
            if (colours[i].count > colours[most].count) most = i;
        }
        // A colour that holds most of its box (the background, a grid, a curve's own colour) is
        // kept exactly rather than blended with its antialiased neighbours.
        if (2 * colours[most].count >= b.population) {
            palette.push_back(qRgb(colours[most].rgb[0], colours[most].rgb[1], colours[most].rgb[2]));
            continue;
        }
        auto mean = [&](int c) { return static_cast<int>(sum[c] / static_cast<double>(b.population) + 0.5); };
        palette.push_back(qRgb(mean(0), mean(1), mean(2)));
    }
    return palette;
}

int nearestIndex(const QList<QRgb>& palette, QRgb colour) {
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 0; i < palette.size(); ++i) {
        long dr = qRed(palette[i]) - qRed(colour), dg = qGreen(palette[i]) - qGreen(colour),
             db = qBlue(palette[i]) - qBlue(colour);
        long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) bestDistance = d, best = i;
    }
    return best;
}

[[noreturn]] void fail(const QString& what, const QString& reason) {
    throw EInOutError(("Cannot write " + what + ": " + reason).toStdString());
}

int appendToBytes(GifFileType* gif, const GifByteType* bytes, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

} // namespace

TIndexedPicture indexedPicture(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    TIndexedPicture out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.indices.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));

    // Distinct colours in the order they first occur, with their pixel counts.
    QHash<QRgb, int> slot;
    std::vector<ColourCount> colours;
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < out.width; ++x) {
            const QRgb c = row[x] | 0xFF000000u;
            auto it = slot.find(c);
            if (it == slot.end()) {
                it = slot.insert(c, static_cast<int>(colours.size()));
                colours.push_back({{qRed(c), qGreen(c), qBlue(c)}, 0});
            }
            ++colours[static_cast<std::size_t>(*it)].count;
        }
    }

    QHash<QRgb, int> index; // colour -> palette index
    if (colours.size() <= MaxColours) {
        for (const ColourCount& c : colours) {
            const QRgb rgbValue = qRgb(c.rgb[0], c.rgb[1], c.rgb[2]);
            index.insert(rgbValue, static_cast<int>(out.palette.size()));
            out.palette.push_back(rgbValue);
        }
    } else {
        out.palette = medianCut(colours, MaxColours);
        for (const ColourCount& c : colours) {
            const QRgb rgbValue = qRgb(c.rgb[0], c.rgb[1], c.rgb[2]);
            index.insert(rgbValue, nearestIndex(out.palette, rgbValue));
        }
    }
    std::size_t i = 0;
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < out.width; ++x)
            out.indices[i++] = static_cast<std::uint8_t>(index.value(row[x] | 0xFF000000u));
    }
    return out;
}

QByteArray gifBytes(const QImage& image) {
    const QString what = "the GIF picture";
    if (image.isNull()) fail(what, "the picture is empty");
    const TIndexedPicture indexed = indexedPicture(image);
    int bits = 1;
    while ((1 << bits) < indexed.palette.size())
        ++bits;

    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, appendToBytes, &error);
    if (gif == nullptr) fail(what, GifErrorString(error));
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(GifMakeMapObject(1 << bits, nullptr),
                                                                   GifFreeMapObject);
    for (int i = 0; i < (1 << bits); ++i) {
        QRgb c = i < indexed.palette.size() ? indexed.palette[i] : qRgb(0, 0, 0);
        map->Colors[i] = GifColorType{static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                                      static_cast<GifByteType>(qBlue(c))};
    }
    bool ok = EGifPutScreenDesc(gif, indexed.width, indexed.height, bits, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, indexed.width, indexed.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(static_cast<std::size_t>(indexed.width));
    for (int y = 0; ok && y < indexed.height; ++y) {
        const auto* row = indexed.indices.data() + static_cast<std::size_t>(y) * line.size();
        std::copy(row, row + line.size(), line.begin());
        ok = EGifPutLine(gif, line.data(), indexed.width) == GIF_OK;
    }
    int closeError = 0;
    const int lastError = gif->Error;
    if (EGifCloseFile(gif, &closeError) != GIF_OK) ok = false;
    if (!ok) fail(what, GifErrorString(lastError ? lastError : closeError));
    return bytes;
}

void saveGif(const QImage& image, const QString& fileName) {
    QByteArray bytes;
    try {
        bytes = gifBytes(image);
    } catch (const EInOutError& e) {
        // The encoder's reason, reported against the file the user named.
        const std::string message = e.what();
        const std::string reason = message.substr(message.find(": ") + 2);
        fail(fileName, QString::fromStdString(reason));
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) fail(fileName, file.errorString());
    if (file.write(bytes) != bytes.size()) fail(fileName, file.errorString());
    if (!file.commit()) fail(fileName, file.errorString());
}

} // namespace kurvo
