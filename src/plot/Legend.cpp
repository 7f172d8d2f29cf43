// The graphs as the user sees them, and the legend box: placed where the curves cross least.
#include "Legend.h"

#include "Cp1252.h"
#include "Errors.h"
#include "PlotRenderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>

namespace kurvo {

namespace {
constexpr int LegendMargin = 8;  // from the plot area's edges
constexpr int LegendPadding = 6; // inside the box
constexpr int LineLength = 28;   // the sample line before each formula
constexpr int LineGap = 6;       // between the sample line and the text

/// The feedback of the pass that finds where the curves are: Escape still stops it, while the
/// messages, beeps and cursors the real paint already gave are not given twice.
class TCoverageFeedback : public TPaintFeedback {
  public:
    explicit TCoverageFeedback(TPaintFeedback& paint) : paint_(paint) {}
    bool pollStop() override { return stopped = stopped || paint_.pollStop(); }
    void setCursor(Cursor) override {}
    void beep() override {}
    void showMessage(const std::string&) override {}
    bool stopped = false;

  private:
    TPaintFeedback& paint_;
};
} // namespace

QColor drawnColour(const TGraphDocument& doc, int slot) {
    const TSettingsRecord& s = doc.Settings;
    const auto index = static_cast<std::size_t>(std::clamp(slot, 0, TGraphDocument::SlotCount - 1));
    const TGraphSlot& graph = doc.Graphs[index];
    if (graph.Mode.explicitCartesian()) {
        const std::string& parsed = doc.ParsedFormulas[index];
        if (parsed.find("DIFF") != std::string::npos)
            return settingsColour(s.PlotDerived ? s.derivativeColour : s.GraphColours[index % 5]);
        if (parsed.find("INTEG") != std::string::npos)
            return settingsColour(s.PlotIntegral ? s.integralColour : s.GraphColours[index % 5]);
    }
    return settingsColour(s.GraphColours[index % 5]);
}

std::vector<TGraphEntry> graphEntries(const TGraphDocument& doc, const std::string& relation) {
    const TSettingsRecord& s = doc.Settings;
    const bool strictBox = relation == "y<" || relation == "y>";
    auto entryAt = [&](int slot) {
        const auto index = static_cast<std::size_t>(slot);
        const TGraphSlot& graph = doc.Graphs[index];
        TGraphEntry e;
        e.slot = slot;
        e.formula = doc.UserFormulas[index];
        e.colours = {drawnColour(doc, slot)};
        e.dashed = graph.Mode.implicit() ? graph.dashed() : graph.Mode.explicitCartesian() && strictBox;
        e.hidden = graph.Hidden;
        return e;
    };
    std::vector<TGraphEntry> entries;
    if (s.FamilyPlotting) {
        const int members = std::clamp(doc.FamilyLastGraph, 0, TGraphDocument::SlotCount);
        if (members == 0 || doc.ParsedFormulas[0].empty()) return entries;
        TGraphEntry e = entryAt(0);
        e.members = members;
        for (int k = 1; k < std::min(members, 5); ++k)
            e.colours.push_back(drawnColour(doc, k));
        entries.push_back(std::move(e));
        return entries;
    }
    const int last = std::min(s.LastGraph, TGraphDocument::SlotCount - 1);
    for (int slot = 0; slot <= last; ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        // Plotting typed points takes a slot and stores nothing in it: no graph there.
        if (doc.UserFormulas[index].empty() && doc.ParsedFormulas[index].empty()) continue;
        entries.push_back(entryAt(slot));
    }
    return entries;
}

std::string entryText(const TGraphEntry& entry) {
    if (!entry.family()) return entry.formula;
    return entry.formula + "   (" + std::to_string(entry.members) + " members)";
}

QRect leastCoveredCorner(const QImage& coverage, QSize area, QSize size, int margin) {
    const int right = area.width() - margin - size.width();
    const int bottom = area.height() - margin - size.height();
    const std::array<QRect, 4> corners = {QRect(QPoint(right, margin), size), QRect(QPoint(margin, margin), size),
                                          QRect(QPoint(right, bottom), size), QRect(QPoint(margin, bottom), size)};
    const QImage image = coverage.convertToFormat(QImage::Format_ARGB32);
    QRect best = corners[0];
    long bestCount = -1;
    for (const QRect& box : corners) {
        const QRect inside = box.intersected(image.rect());
        long count = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = inside.left(); x <= inside.right(); ++x)
                count += qAlpha(row[x]) != 0;
        }
        if (bestCount < 0 || count < bestCount) {
            bestCount = count;
            best = box;
        }
    }
    return best;
}

QImage TLegendPainter::coverage() {
    const TPlotView& view = e_.View;
    QImage image(std::max(view.PlotWidth, 1), std::max(view.PlotHeight, 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const TSettingsRecord& s = e_.Settings;
    const int last = s.FamilyPlotting ? e_.Document.FamilyLastGraph - 1 : std::max(s.LastGraph, 0);
    TFrame frame = e_.Frame;
    frame.clear = false;
    frame.frameAndAxes = false;
    frame.legend = false;
    // A paint the user stopped leaves the corners as free as an empty picture.
    if (e_.stopped()) return image;
    TCoverageFeedback feedback(e_.Feedback);
    QPainter painter(&image);
    // Graph by graph, as the export draws them: an error that ends one graph leaves the others.
    for (int slot = 0; slot <= last && !feedback.stopped; ++slot) {
        frame.firstSlot = frame.lastSlot = slot;
        try {
            TPlotRenderer(e_.Document, e_.Parsers, painter, view, frame, feedback).render();
        } catch (const std::exception&) {
            // What was drawn before the error counts; the error itself was shown by the real paint.
        }
    }
    return image;
}

void TLegendPainter::draw() {
    const TGraphDocument& doc = e_.Document;
    const TSettingsRecord& s = e_.Settings;
    std::vector<TGraphEntry> shown;
    bool explicitShown = false;
    for (TGraphEntry& entry : graphEntries(doc, e_.Frame.relation)) {
        if (entry.hidden) continue;
        explicitShown = explicitShown || doc.Graphs[static_cast<std::size_t>(entry.slot)].Mode.explicitCartesian();
        shown.push_back(std::move(entry));
    }
    if (shown.empty()) return;
    // The derived and integral graphs the switches add beside every y = f(x) graph have their own colour.
    if (explicitShown && s.PlotDerived) shown.push_back({.formula = "derived function", .colours = {settingsColour(s.derivativeColour)}});
    if (explicitShown && s.PlotIntegral) shown.push_back({.formula = "integral function", .colours = {settingsColour(s.integralColour)}});

    QPainter& p = e_.canvas();
    p.save();
    // The label font, sized in plot pixels on every device, as the axis labels are.
    QFont font(QString::fromStdString(cp1252ToUtf8(s.fontName)));
    font.setPointSize(std::clamp(s.fontSize, 1, 200));
    const QFontMetrics metrics(font);
    const int pictureDpi = QImage(1, 1, QImage::Format_RGB32).logicalDpiY();
    const QPaintDevice* device = p.device();
    if (device && device->logicalDpiY() != pictureDpi && device->logicalDpiY() > 0)
        font.setPointSizeF(font.pointSizeF() * pictureDpi / device->logicalDpiY());
    p.setFont(font);

    const TPlotView& view = e_.View;
    const int rowHeight = metrics.height() + 2;
    const int textLeft = LegendPadding + LineLength + LineGap;
    const int maxTextWidth = std::max(view.PlotWidth / 2 - textLeft - LegendPadding, metrics.horizontalAdvance("xxxxxx"));
    const int fitRows = (view.PlotHeight - 2 * LegendMargin - 2 * LegendPadding) / rowHeight;
    if (fitRows < 1) {
        p.restore();
        return;
    }
    // Rows beyond the area's height are counted in the last row instead.
    std::vector<QString> texts;
    const bool cut = static_cast<int>(shown.size()) > fitRows;
    const std::size_t rows = cut ? static_cast<std::size_t>(fitRows - 1) : shown.size();
    int textWidth = 0;
    for (std::size_t i = 0; i < rows; ++i) {
        const QString text = metrics.elidedText(QString::fromStdString(cp1252ToUtf8(entryText(shown[i]))),
                                                Qt::ElideRight, maxTextWidth);
        textWidth = std::max(textWidth, metrics.horizontalAdvance(text));
        texts.push_back(text);
    }
    const QString more = QStringLiteral("and %1 more").arg(shown.size() - rows);
    if (cut) textWidth = std::max(textWidth, metrics.horizontalAdvance(more));
    const QSize size(textLeft + textWidth + LegendPadding,
                     2 * LegendPadding + rowHeight * static_cast<int>(texts.size() + (cut ? 1 : 0)));
    const QRect box = leastCoveredCorner(coverage(), QSize(view.PlotWidth, view.PlotHeight), size, LegendMargin);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(settingsColour(s.axesColour), 1));
    p.setBrush(settingsColour(s.backgroundColour));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setBrush(Qt::NoBrush);
    const int width = std::max(1, s.graphLineThickness);
    for (std::size_t i = 0; i <= texts.size(); ++i) {
        const int top = box.top() + LegendPadding + rowHeight * static_cast<int>(i);
        const int middle = top + rowHeight / 2;
        p.setPen(settingsColour(s.fontColour));
        if (i == texts.size()) {
            if (cut) p.drawText(box.left() + textLeft, top + metrics.ascent() + 1, more);
            break;
        }
        p.drawText(box.left() + textLeft, top + metrics.ascent() + 1, texts[i]);
        // A family's line shows its members' colours side by side.
        const std::vector<QColor>& colours = shown[i].colours;
        const int pieces = static_cast<int>(colours.size());
        for (int k = 0; k < pieces; ++k) {
            p.setPen(QPen(colours[static_cast<std::size_t>(k)], width, shown[i].dashed ? Qt::DashLine : Qt::SolidLine,
                          Qt::FlatCap));
            const int x0 = box.left() + LegendPadding + LineLength * k / pieces;
            const int x1 = box.left() + LegendPadding + LineLength * (k + 1) / pieces;
            p.drawLine(x0, middle, x1, middle);
        }
    }
    p.restore();
}

} // namespace kurvo
