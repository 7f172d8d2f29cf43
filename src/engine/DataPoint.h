// TDataPoint: one point of a coordinate set, shared by the data-set store and the analysis.
#pragma once

namespace kurvo {

/// One point (x, y) of a data set.
struct TDataPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const TDataPoint&, const TDataPoint&) = default;
};

} // namespace kurvo
