// Points of the data-set store: reading its "x,y" lines, and writing a transformed first set back.
#include "DataSetPoints.h"

#include "NumberText.h"

#include <stdexcept>

namespace kurvo {

namespace {
constexpr std::string_view SetEnd = "#";

/// Index of the first line after the first set.
std::size_t firstSetEnd(const std::vector<std::string>& lines) {
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != SetEnd && !lines[i].empty())
        ++i;
    return i;
}
} // namespace

DataPoint pointFromLine(std::string_view line) {
    auto comma = line.find(',');
    std::string_view xText = comma == std::string_view::npos ? line : line.substr(0, comma);
    std::string_view yText = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    DataPoint p;
    p.x = strToFloat(xText);
    p.y = strToFloat(yText);
    return p;
}

std::string pointLineText(const DataPoint& point) {
    return formatGeneral(point.x) + "," + formatGeneral(point.y);
}

std::vector<DataPoint> pooledPoints(const std::vector<std::string>& lines) {
    std::vector<DataPoint> points;
    for (const std::string& line : lines) {
        if (line.empty()) break;
        if (line == SetEnd) continue;
        points.push_back(pointFromLine(line));
    }
    return points;
}

std::vector<DataPoint> firstSetPoints(const std::vector<std::string>& lines) {
    std::vector<DataPoint> points;
    std::size_t end = firstSetEnd(lines);
    points.reserve(end);
    for (std::size_t i = 0; i < end; ++i)
        points.push_back(pointFromLine(lines[i]));
    return points;
}

void replaceFirstSet(std::vector<std::string>& lines, const std::vector<DataPoint>& images) {
    std::size_t end = firstSetEnd(lines);
    if (images.size() != end) throw std::invalid_argument("replaceFirstSet: point count differs");
    for (std::size_t i = 0; i < end; ++i)
        lines[i] = pointLineText(images[i]);
}

} // namespace kurvo
