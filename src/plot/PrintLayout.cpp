// The printed page's rectangles and the drawing of a page.
#include "PrintLayout.h"

#include "Cp1252.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>

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
    int w = p * hw / 100;
    int h;
    if (squareAxes) {
        w = std::min(w, areaHeight / 2);
        h = w;
    } else {
        // Twice the whole aspect ratio, in integers; a plot area taller than wide would give 0.
        const int ratio = std::max(plot.height() > 0 ? plot.width() / plot.height() * 2 : 2, 2);
        h = p * (areaHeight / ratio) / 100;
    }
    TPrintLayout layout;
    layout.picture = QRect(QPoint(hw - w, hh - h), QPoint(hw + w, hh + h));
    layout.title = QRect(QPoint(hw - w, layout.picture.top() - gap - titleSize.height()), titleSize);
    layout.credit = QRect(QPoint(hw + w - creditSize.width(), layout.picture.bottom() + gap), creditSize);
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

void drawPrintPage(TPlotEngine& engine, QPainter& painter, QSize page, int percent) {
    const TSettingsRecord& s = engine.Settings;
    QFont creditFont(QString::fromStdString(cp1252ToUtf8(s.fontName)));
    creditFont.setPointSize(std::clamp(s.fontSize, 1, 200));
    QFont titleFont = creditFont;
    titleFont.setPointSize(2 * creditFont.pointSize());
    const QFontMetrics titleMetrics(titleFont, painter.device());
    const QFontMetrics creditMetrics(creditFont, painter.device());
    const QString title = printTitle(engine), credit = printCredit();

    const QSize plot = engine.plotAreaSize();
    const TPrintLayout layout =
        printLayout(page, plot, percent, s.SquareAxes,
                    QSize(titleMetrics.horizontalAdvance(title), titleMetrics.height()),
                    QSize(creditMetrics.horizontalAdvance(credit), creditMetrics.height()));

    if (!layout.picture.isEmpty()) {
        painter.save();
        painter.translate(layout.picture.topLeft());
        painter.scale(static_cast<qreal>(layout.picture.width()) / plot.width(),
                      static_cast<qreal>(layout.picture.height()) / plot.height());
        TSilentFeedback quiet;
        engine.renderTo(painter, quiet);
        painter.restore();
    }
    painter.setPen(engine.colour(s.fontColour));
    painter.setFont(titleFont);
    painter.drawText(layout.title, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title);
    painter.setFont(creditFont);
    painter.drawText(layout.credit, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, credit);
}

} // namespace kurvo
