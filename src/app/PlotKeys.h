// The plot area from the keyboard: which key does what, and what a screen reader hears of the plot.
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

namespace kurvo {

class TGraphDocument;

/// What a key pressed in the focused plot area asks for.
enum class TPlotKey { None, MoveLeft, MoveRight, MoveUp, MoveDown, ZoomIn, ZoomOut, ReadCentre };

/// The plot area's keys: the arrows move the view, + and - zoom about the centre, the space bar
/// reads the graph at the centre. Keys with Ctrl, Alt or Meta are left to the window's shortcuts.
TPlotKey plotKeyFor(int key, Qt::KeyboardModifiers modifiers);

/// The drag, in pixels of a plot area of `width` by `height`, that moves the view a tenth of its
/// width or height in the key's direction (right and down positive, as the move operation takes
/// it); (0, 0) for a key that moves nothing.
QPoint plotKeyMove(TPlotKey key, int width, int height);

/// The plot area's accessible description: the graphs drawn and the typed points, in words.
QString graphsDescription(const TGraphDocument& document);

} // namespace kurvo
