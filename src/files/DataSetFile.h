// The data-set file readers: sid (lines as they are), csv, tsv, and txt with its delimiter
// recognised. Each gives the lines to add to the data-set store and the lines it left out.
#pragma once

#include "OpenFile.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

/// A line of a file that should have been a point "x,y" and was left out.
struct TRejectedLine {
    std::string file;   ///< the file's name as given to the reader
    int lineNumber = 0; ///< from 1
    std::string text;   ///< the line as read, without its line end

    /// FILE, line N: "TEXT" is not a pair of numbers x,y (a long text is shortened).
    std::string message() const;
    friend bool operator==(const TRejectedLine&, const TRejectedLine&) = default;
};

/// One message for all rejected lines: their count, then up to `listed` of them, one per line.
/// Empty when there are none.
std::string rejectedLinesMessage(const std::vector<TRejectedLine>& rejected, std::size_t listed = 10);

/// What one data-set file adds.
struct TDataSetImport {
    /// The header line for the coordinates editor's axis-labels field; empty when the file has no
    /// lines or its first line is already a point.
    std::optional<std::string> axisLabels;
    /// The lines to append to the store: point lines and "#" lines, always ending with "#". "#"
    /// lines of the file end sets; one that would end an empty set is dropped, except that a file
    /// without any point still gives its single "#".
    std::vector<std::string> lines;
    std::vector<TRejectedLine> rejected;

    /// The number of sets the lines hold.
    std::size_t setCount() const;
};

/// Reads the text of a data-set file of the given kind (Sid, Csv, Tsv or Txt; any other kind
/// raises std::invalid_argument). `fileName` names the file in rejected lines.
///
/// Rows end at LF; a CR before the LF is removed, and a last row without line end is kept. The
/// first row is the header unless it is already a point. Empty rows are skipped; a row "#" ends a
/// set. Every other row becomes a point line "x,y" or is rejected:
/// - Sid: the row as it stands.
/// - Csv: the row as it stands; a row that is not a point but holds ";" is read as the two fields
///   around the first ";" with a decimal comma (the csv of spreadsheets in decimal-comma locales).
/// - Tsv: the text before the first TAB, a comma, the text after it; a comma inside a field is a
///   decimal comma.
/// - Txt: the delimiter is the first of TAB, ";", "," and blank found in the header (or, when the
///   header holds none, in the first row after it); a comma delimiter reads like csv, the others
///   like tsv (a run of blanks counts as one delimiter).
TDataSetImport readDataSetText(std::string_view bytes, TFileKind kind, const std::string& fileName);

/// Reads a data-set file (see readOpenedFile for the errors raised) and its rows as above; rejected
/// lines name the file by its path.
TDataSetImport readDataSetFile(const std::filesystem::path& file, TFileKind kind);

} // namespace kurvo
