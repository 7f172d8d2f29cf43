// Drawing a transformation's mirror line across the plot picture.
#pragma once

#include "PlotView.h"

#include <QPainter>

namespace kurvo {

/// Draws the line y = slope·x + intercept from the left edge of the view to its right edge, dotted
/// and red, as the reflection in that line shows it. The part far outside the picture is left
/// out, so a steep line never asks for a pixel beyond the integer range.
void drawMirrorLine(QPainter& painter, const TPlotView& view, Extended slope, Extended intercept);

/// Draws the vertical line x = c from the top of the picture to its bottom, dotted and red.
void drawVerticalMirrorLine(QPainter& painter, const TPlotView& view, Extended c);

} // namespace kurvo
