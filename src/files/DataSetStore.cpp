// The data-set store's lines, with the points and set boundaries kept beside them.
#include "DataSetStore.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kurvo {
namespace {

// The same number syntax strToFloat accepts, without raising: blanks around the number allowed.
std::optional<double> readNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return parsePascalNumber(text);
}

} // namespace

std::optional<TDataPoint> parsePointLine(std::string_view line) {
    std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    auto x = readNumber(line.substr(0, comma));
    if (!x) return std::nullopt;
    auto y = readNumber(line.substr(comma + 1));
    if (!y) return std::nullopt;
    return TDataPoint{*x, *y};
}

std::optional<std::string> pointLineText(const TDataPoint& point) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) return std::nullopt;
    return formatGeneral(point.x) + "," + formatGeneral(point.y);
}

std::pair<std::string, std::string> splitAxisLabels(std::string_view labels) {
    constexpr std::size_t MaxName = 255; // the settings record's text length
    const std::size_t comma = labels.find(',');
    if (comma == std::string_view::npos) return {};
    return {std::string(labels.substr(0, std::min(comma, MaxName))),
            std::string(labels.substr(comma + 1, MaxName))};
}

TTypedSet readTypedSet(const std::vector<std::string>& lines) {
    TTypedSet set;
    if (lines.empty() || lines.front().empty()) {
        set.error = "I have to have something to plot!";
        return set;
    }
    for (std::size_t i = 0; i < lines.size() && !lines[i].empty(); ++i) {
        // Every line is checked before anything is added, so a refused set leaves the store as it was.
        if (!parsePointLine(lines[i])) {
            set.lines.clear();
            set.errorLine = i + 1;
            set.error = "Line " + std::to_string(i + 1) + ": \"" + lines[i] +
                        "\" is not a point. Type one point a line, x and y separated by a comma, "
                        "for example 1.5,-2";
            return set;
        }
        set.lines.push_back(lines[i]);
    }
    return set;
}

std::span<const TDataPoint> TDataSetStore::points(std::size_t set) const {
    if (set >= m_setPointEnds.size()) throw std::out_of_range("no data set " + std::to_string(set));
    std::size_t begin = set == 0 ? 0 : m_setPointEnds[set - 1];
    return std::span<const TDataPoint>(m_points).subspan(begin, m_setPointEnds[set] - begin);
}

bool TDataSetStore::appendLine(const std::string& line) {
    if (line == DataSetEndLine) {
        m_setLineEnds.push_back(m_lines.size());
        m_setPointEnds.push_back(m_points.size());
        m_lines.push_back(line);
        return true;
    }
    auto point = parsePointLine(line);
    if (!point) return false;
    m_points.push_back(*point);
    m_lines.push_back(line);
    return true;
}

std::vector<std::string> TDataSetStore::appendLines(const std::vector<std::string>& lines) {
    std::vector<std::string> refused;
    for (const auto& line : lines) {
        if (appendLine(line))
            m_singleSetOnly = false; // a set added later is drawn with the others
        else
            refused.push_back(line);
    }
    if (!m_lines.empty() && m_lines.back() != DataSetEndLine) appendLine(std::string(DataSetEndLine));
    return refused;
}

std::size_t TDataSetStore::appendSet(std::span<const TDataPoint> points) {
    std::size_t leftOut = 0;
    for (const auto& p : points) {
        auto line = pointLineText(p);
        if (!line || !appendLine(*line)) ++leftOut;
    }
    appendLine(std::string(DataSetEndLine));
    m_singleSetOnly = false;
    return leftOut;
}

bool TDataSetStore::replaceSet(std::size_t set, std::span<const TDataPoint> points) {
    const std::span<const TDataPoint> old = this->points(set);
    if (points.size() != old.size()) return false;
    // Every text is made before anything changes, so a point without a text leaves the set whole.
    std::vector<std::string> texts;
    texts.reserve(points.size());
    for (const auto& p : points) {
        auto text = pointLineText(p);
        if (!text) return false;
        texts.push_back(std::move(*text));
    }
    const std::size_t firstPoint = set == 0 ? 0 : m_setPointEnds[set - 1];
    const std::size_t firstLine = set == 0 ? 0 : m_setLineEnds[set - 1] + 1;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        // The general text reads back as the nearest of its 15 digits: keep what the line says.
        m_points[firstPoint + i] = *parsePointLine(texts[i]);
        m_lines[firstLine + i] = std::move(texts[i]);
    }
    return true;
}

void TDataSetStore::removeLastSet() {
    if (m_setLineEnds.empty()) return;
    m_setLineEnds.pop_back();
    m_setPointEnds.pop_back();
    m_lines.resize(m_setLineEnds.empty() ? 0 : m_setLineEnds.back() + 1);
    m_points.resize(m_setPointEnds.empty() ? 0 : m_setPointEnds.back());
}

void TDataSetStore::clear() {
    m_dataSetCount = 0;
    m_lines.clear();
    m_points.clear();
    m_setLineEnds.clear();
    m_setPointEnds.clear();
    m_singleSetOnly = false;
}

} // namespace kurvo
