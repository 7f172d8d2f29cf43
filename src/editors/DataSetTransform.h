// Overwriting the first data set with its image, as both transformation dialogs do.
#pragma once

#include "DataSetStore.h"
#include "Transformation.h"

#include <string>

namespace kurvo {

/// Whether the store has a first set with points to transform: msg::NoDataPoints when not, else empty.
std::string firstSetError(const TDataSetStore& store);

/// Replaces the points of the first set by their images under `t`, turns the single-set flag on
/// and raises the data-set count by one, so the image is drawn in the next mark colour. Returns
/// the message to show when nothing was changed (no points; an image that cannot be written as a
/// number), else an empty text.
std::string transformFirstSet(TDataSetStore& store, const PointTransformation& t);

} // namespace kurvo
