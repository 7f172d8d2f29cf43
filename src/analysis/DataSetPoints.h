// The points the analysis works on: runs of TDataPoint, as the data-set store hands them out.
#pragma once

#include "DataPoint.h"

#include <span>

namespace kurvo {

/// A run of data points (one set, or every set of the store pooled).
using DataPoints = std::span<const TDataPoint>;

namespace msg {
inline constexpr const char* NoDataPoints = "There are no data points.";
} // namespace msg

} // namespace kurvo
