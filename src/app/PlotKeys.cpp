// The plot area from the keyboard: which key does what, and what a screen reader hears of the plot.
#include "PlotKeys.h"

#include "Cp1252.h"
#include "GraphDocument.h"

#include <QStringList>

#include <algorithm>

namespace kurvo {

TPlotKey plotKeyFor(int key, Qt::KeyboardModifiers modifiers) {
    // Shift is allowed: "+" is a shifted key on most keyboards. The keypad sends its own flag.
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return TPlotKey::None;
    switch (key) {
    case Qt::Key_Left:
        return TPlotKey::MoveLeft;
    case Qt::Key_Right:
        return TPlotKey::MoveRight;
    case Qt::Key_Up:
        return TPlotKey::MoveUp;
    case Qt::Key_Down:
        return TPlotKey::MoveDown;
    case Qt::Key_Plus:
    case Qt::Key_Equal: // the "+" key without Shift
        return TPlotKey::ZoomIn;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return TPlotKey::ZoomOut;
    case Qt::Key_Space:
        return TPlotKey::ReadCentre;
    default:
        return TPlotKey::None;
    }
}

QPoint plotKeyMove(TPlotKey key, int width, int height) {
    // At least a pixel, so a tiny plot area still moves.
    const int dx = std::max(width / 10, 1), dy = std::max(height / 10, 1);
    switch (key) {
    case TPlotKey::MoveLeft:
        return {-dx, 0};
    case TPlotKey::MoveRight:
        return {dx, 0};
    case TPlotKey::MoveUp:
        return {0, -dy};
    case TPlotKey::MoveDown:
        return {0, dy};
    default:
        return {0, 0};
    }
}

QString graphsDescription(const TGraphDocument& document) {
    QStringList graphs;
    const int last = std::min(document.Settings.LastGraph, TGraphDocument::SlotCount - 1);
    for (int slot = 0; slot <= last; ++slot) {
        // A hidden graph is not drawn, so it is not named either.
        if (document.Graphs[static_cast<std::size_t>(slot)].Hidden) continue;
        const std::string& formula = document.UserFormulas[static_cast<std::size_t>(slot)];
        // The same formula in two slots draws one curve: it is named once.
        const QString text = QString::fromStdString(cp1252ToUtf8(formula));
        if (!formula.empty() && !graphs.contains(text)) graphs << text;
    }
    QString text =
        graphs.isEmpty() ? QString("No graphs drawn") : QString("Graphs drawn: %1").arg(graphs.join("; "));
    const std::size_t points = document.DataSets.allPoints().size();
    if (points > 0) {
        const std::size_t sets = document.DataSets.setCount();
        text += QString(". %1 data point%2 in %3 set%4")
                    .arg(points)
                    .arg(points == 1 ? "" : "s")
                    .arg(sets)
                    .arg(sets == 1 ? "" : "s");
    }
    return text;
}

} // namespace kurvo
