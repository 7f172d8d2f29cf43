// The printed page's rectangles and the drawing of a page.
#include "PrintLayout.h"

#include "Cp1252.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace kurvo {

TPrintLayout printLayout(QSize page, QSize plot, int percent, bool squareAxes, QSize titleSize,
                         QSize creditSize) {
    const int p = std::clamp(percent, 0, 100);
    const int gap = creditSize.height() / 2;
    const int topBand = std::min(titleSize.height() + gap, page.height() / 4);
    const int bottomBand = std::min(creditSize.height() + gap, page.height() / 4);
    const int areaTop = topBand;
    const int areaHeight = std::max(page.height() - topBand - bottomBand, 0);

    const int hw = page.width() / 2;
    const int hh = areaTop + areaHeight / 2;
    // The percentage gives a box of p percent of the page's width and of the height between the
    // text bands; the picture is the largest one of the plot's own shape that fits in it, so a
    // circle prints as a circle and the axis numbers keep their proportions.
    const double boxHalfWidth = p * hw / 100.0;
    const double boxHalfHeight = p * (areaHeight / 2) / 100.0;
    const double plotWidth = std::max(squareAxes ? plot.height() : plot.width(), 1);
    const double plotHeight = std::max(plot.height(), 1);
    const double scale = std::min(boxHalfWidth / plotWidth, boxHalfHeight / plotHeight);
    // Floors, so the picture never exceeds the box; a tiny rounding is taken off, not added.
    const int w = std::clamp(static_cast<int>(std::floor(scale * plotWidth + 1e-9)), 0, hw);
    const int h = std::clamp(static_cast<int>(std::floor(scale * plotHeight + 1e-9)), 0, areaHeight / 2);
    TPrintLayout layout;
    // From (hw - w, hh - h) up to, not including, (hw + w, hh + h).
    layout.picture = QRect(hw - w, hh - h, 2 * w, 2 * h);
    layout.title = QRect(QPoint(hw - w, hh - h - gap - titleSize.height()), titleSize);
    layout.credit = QRect(QPoint(hw + w - creditSize.width(), hh + h + gap), creditSize);
    return layout;
}

QString printCredit() {
    return "Drawn with Kurvo32 Graph Editor";
}

QString printTitle(const TPlotEngine& engine) {
    const int last = engine.Settings.LastGraph;
    std::string formula;
    if (last >= 0 && last < TPlotEngine::SlotCount)
        formula = engine.Document.UserFormulas[static_cast<std::size_t>(last)];
    return "y= " + QString::fromStdString(cp1252ToUtf8(formula));
}

namespace {

struct TPrintFonts {
    QFont title, credit;
};

/// The credit line in the plot font's size, the title in twice that size.
TPrintFonts printFonts(const TSettingsRecord& s) {
    TPrintFonts f;
    f.credit = QFont(QString::fromStdString(cp1252ToUtf8(s.fontName)));
    f.credit.setPointSize(std::clamp(s.fontSize, 1, 200));
    f.title = f.credit;
    f.title.setPointSize(2 * f.credit.pointSize());
    return f;
}

} // namespace

TPrintLayout pageLayout(const TPlotEngine& engine, const QPaintDevice& device, QSize page, int percent) {
    const TPrintFonts fonts = printFonts(engine.Settings);
    // QFontMetrics wants a non-const device only for historical reasons; it reads its resolution.
    auto* paintDevice = const_cast<QPaintDevice*>(&device);
    const QFontMetrics title(fonts.title, paintDevice), credit(fonts.credit, paintDevice);
    return printLayout(page, engine.plotAreaSize(), percent, engine.Settings.SquareAxes,
                       QSize(title.horizontalAdvance(printTitle(engine)), title.height()),
                       QSize(credit.horizontalAdvance(printCredit()), credit.height()));
}

void drawPrintPage(TPlotEngine& engine, QPainter& painter, QSize page, int percent) {
    const TPrintLayout layout = pageLayout(engine, *painter.device(), page, percent);
    const QSize plot = engine.plotAreaSize();
    if (!layout.picture.isEmpty()) {
        painter.save();
        painter.translate(layout.picture.topLeft());
        // One scale for both directions: the picture keeps the plot's aspect ratio.
        const qreal scale = std::min(static_cast<qreal>(layout.picture.width()) / plot.width(),
                                     static_cast<qreal>(layout.picture.height()) / plot.height());
        painter.scale(scale, scale);
        TSilentFeedback quiet;
        engine.renderTo(painter, quiet);
        painter.restore();
    }
    const TPrintFonts fonts = printFonts(engine.Settings);
    painter.setPen(engine.colour(engine.Settings.fontColour));
    painter.setFont(fonts.title);
    painter.drawText(layout.title, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, printTitle(engine));
    painter.setFont(fonts.credit);
    painter.drawText(layout.credit, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, printCredit());
}

} // namespace kurvo
