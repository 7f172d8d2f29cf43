// Transformations of the first data set that keep their history in the drawing, and drawing it.
#pragma once

#include "GraphDocument.h"
#include "DataPoint.h"

#include <optional>
#include <vector>

namespace kurvo {

class TPlotRenderer;

/// What became of a transformation of the first data set.
enum class TTransformResult { Done, NoPoints, ImageTooLarge };

/// Whether the drawing has a first data set with points to transform.
bool hasFirstSetPoints(const TGraphDocument& document);

/// Replaces the points of the first set by their `image` under a transformation, as both
/// transformation dialogs do: the points the set held go to the drawing's transformation history in the colour they were
/// drawn in, the single-set flag goes on and the data-set count up by one, so the image is drawn in
/// the next mark colour; `mirror` becomes the drawing's mirror line (none for other kinds).
/// Nothing changes when there are no points or an image point cannot be written as a number.
TTransformResult transformFirstSet(TGraphDocument& document, const std::vector<TDataPoint>& image,
                              const std::optional<TMirrorLine>& mirror);

/// Draws the coordinate sets of the drawing with the transformation history beneath them (each
/// earlier state as marks in its colour) and the mirror line above; nothing without data-set
/// plotting.
void drawDataSetsAndMarks(TPlotRenderer& renderer);

} // namespace kurvo
