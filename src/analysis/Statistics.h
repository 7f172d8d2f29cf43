// Summary statistics of the pooled data points, in the order the statistics labels show them.
#pragma once

#include "DataSetPoints.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

/// The fourteen summary values. `error` is empty on success; otherwise it says why there are no
/// values (msg::NoDataPoints) and the numbers are all 0.
struct Statistics {
    std::string error;
    int num_pts = 0;
    double sumx = 0;    ///< shown as mean × n, not as the raw sum
    double sumxsqu = 0; ///< Σx²
    double meanx = 0;
    double sampsdx = 0; ///< sample deviation; 0 with fewer than 3 points
    double popsdx = 0;  ///< √(Σ(x − mean)²/n)
    double sumy = 0;
    double sumysqu = 0;
    double meany = 0;
    double sampsdy = 0;
    double popsdy = 0;
    double meandiff = 0; ///< mean of x − y
    double sddiff = 0;   ///< sample deviation of x − y; 0 with fewer than 3 points
    double corr_coeff = 0;

    bool ok() const { return error.empty(); }
    /// The values in the order of StatisticsLabels.
    std::array<double, 14> values() const;
};

/// Name, caption and hint of one statistics label (texts in Windows-1252: "²" is byte 178).
struct StatisticsLabel {
    std::string_view name;
    std::string_view caption;
    std::string_view hint;
};

/// The fourteen labels in the order the values are computed and shown.
extern const std::array<StatisticsLabel, 14> StatisticsLabels;

/// Computes the summary statistics of the points (all data sets pooled).
Statistics computeStatistics(DataPoints points);

} // namespace kurvo
