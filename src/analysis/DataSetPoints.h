// Points of the data-set store: reading its "x,y" lines, and writing a transformed first set back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

/// One point of a data set.
struct DataPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const DataPoint&, const DataPoint&) = default;
};

namespace msg {
inline constexpr const char* NoDataPoints = "There are no data points.";
} // namespace msg

/// Reads one store line "x,y": split at the first comma, each side a number in the text-to-float
/// syntax. Raises EConvertError ("'%s' is not a valid floating point value") naming the side at
/// fault (an empty side when there is no comma).
DataPoint pointFromLine(std::string_view line);

/// The store line of a point: the general number texts of x and y joined by a comma.
std::string pointLineText(const DataPoint& point);

/// Every set of the store pooled into one sample, as statistics and regression use it: the lines
/// from the first up to the first empty line (or the end), lines holding exactly "#" skipped.
/// Raises EConvertError for a line that is not a number pair.
std::vector<DataPoint> pooledPoints(const std::vector<std::string>& lines);

/// The points of the first set: the lines before the first "#" (or empty line, or the end).
/// Raises EConvertError for a line that is not a number pair.
std::vector<DataPoint> firstSetPoints(const std::vector<std::string>& lines);

/// Replaces the lines of the first set by the texts of `images`, which must be as many as the
/// first set has points (as firstSetPoints read them); otherwise raises std::invalid_argument and
/// changes nothing.
void replaceFirstSet(std::vector<std::string>& lines, const std::vector<DataPoint>& images);

} // namespace kurvo
