// The data-set store: the ordered point lines "x,y" of every coordinate set, each set ended by "#".
#pragma once

#include "DataPoint.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kurvo {

/// The line that ends a data set.
inline constexpr std::string_view DataSetEndLine = "#";

/// Reads a point line "x,y": the text before the first comma and the text after it are each a
/// number in the typed-number syntax with "." as decimal point (blanks around each allowed).
/// Anything else, such as a second comma or an empty half, gives nothing.
std::optional<TDataPoint> parsePointLine(std::string_view line);

/// The point line of a point: the general number texts of x and y joined by a comma. Nothing when
/// a coordinate is not finite, since such a text would not read back as a number.
std::optional<std::string> pointLineText(const TDataPoint& point);

/// The axis names of an axis-labels text "x,y": the text before the first comma and the text after
/// it, each cut to 255 characters; with no comma both are empty.
std::pair<std::string, std::string> splitAxisLabels(std::string_view labels);

/// A set typed into the coordinates editor, one line of the editor a line.
struct TTypedSet {
    std::vector<std::string> lines; ///< the point lines of the new set, in order (no "#")
    std::string error;              ///< why the set is refused; empty when it is taken
    std::size_t errorLine = 0;      ///< the refused line, counted from 1; 0 when none is to blame
};

/// Reads the lines typed into the coordinates editor: the set is the lines from the first up to the
/// first empty line (or the end). It is refused, with a message naming the line, when one of those
/// lines is not a point line "x,y"; it is refused too when the first line is empty or there is none.
TTypedSet readTypedSet(const std::vector<std::string>& lines);

/// The coordinate sets as the lines that the graph file stores and the coordinates editor shows.
/// Every line is "#" or a point line (lines that are neither are refused on the way in), and the
/// store is empty or ends with "#", so every point belongs to a set. Points are parsed once, when
/// they enter, so drawing and analysis read them without converting text again.
class TDataSetStore {
  public:
    const std::vector<std::string>& lines() const { return m_lines; }
    bool empty() const { return m_lines.empty(); }
    /// The number of sets: the "#" lines.
    std::size_t setCount() const { return m_setLineEnds.size(); }
    /// The points of set `set` (0 = the first), in order. Raises std::out_of_range when there is
    /// no such set.
    std::span<const TDataPoint> points(std::size_t set) const;
    /// The points of all sets, one after the other.
    std::span<const TDataPoint> allPoints() const { return m_points; }

    /// Appends the lines in order: "#" ends a set, a point line adds a point, any other line is
    /// refused and returned (in order). When the last line appended is a point, "#" is added so
    /// the new points form a set.
    std::vector<std::string> appendLines(const std::vector<std::string>& lines);
    /// Appends one set: each point as general number texts "x,y", then "#". A point that has no
    /// text form (not finite) is left out; returns the number left out.
    std::size_t appendSet(std::span<const TDataPoint> points);
    /// Replaces the points of set `set` by `points` (their general number texts), as a transformation
    /// overwrites a set with its image. Returns false and changes nothing when `points` are not as
    /// many as the set holds or one of them is not finite. Raises std::out_of_range when there is no
    /// such set.
    bool replaceSet(std::size_t set, std::span<const TDataPoint> points);
    /// Removes the last set (its points and its "#"); nothing happens when the store is empty.
    void removeLastSet();
    /// Empties the store, sets the data-set count to 0 and clears the single-set flag.
    void clear();

    /// The data-set count: how many sets of the store the drawing shows, and which mark colour the
    /// newest drawing takes (count − 1 modulo 5). Raised by every import and every transformation.
    int dataSetCount() const { return m_dataSetCount; }
    void setDataSetCount(int count) { m_dataSetCount = count; }
    /// The single-set flag: once a transformation has overwritten the first set, only that set is
    /// drawn, in the colour of the newest drawing, until a set is added (appendLines taking a line,
    /// appendSet) or the store is cleared.
    bool singleSetOnly() const { return m_singleSetOnly; }
    void setSingleSetOnly(bool on) { m_singleSetOnly = on; }

    /// The same lines, drawn the same way (count and single-set flag); the points follow the lines.
    friend bool operator==(const TDataSetStore& a, const TDataSetStore& b) {
        return a.m_lines == b.m_lines && a.m_dataSetCount == b.m_dataSetCount &&
               a.m_singleSetOnly == b.m_singleSetOnly;
    }

  private:
    bool appendLine(const std::string& line);

    std::vector<std::string> m_lines;
    std::vector<TDataPoint> m_points;
    std::vector<std::size_t> m_setLineEnds;  ///< index in m_lines of each set's "#"
    std::vector<std::size_t> m_setPointEnds; ///< number of points up to each set's "#"
    int m_dataSetCount = 0;
    bool m_singleSetOnly = false;
};

} // namespace kurvo
