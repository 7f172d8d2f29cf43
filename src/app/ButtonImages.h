// The toolbar's button images, drawn in code so they stay crisp at any screen density.
#pragma once

#include <QIcon>

class QPainter;
class QRectF;

namespace kurvo {

/// Number of button images; index 28 is the Plot button's glyph.
inline constexpr int ButtonImageCount = 28;
inline constexpr int PlotGlyphImage = 28;

/// Draws image `index` (0..28) into `rect`, designed on an 18 x 18 grid.
void drawButtonImage(QPainter& painter, const QRectF& rect, int index, bool enabled);

/// The image as an icon that repaints itself at every requested size.
QIcon buttonImage(int index);

} // namespace kurvo
