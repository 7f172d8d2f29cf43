// The graph file (.kvo): a whole drawing as positional text lines, its writer and its checking reader.
#pragma once

#include "DataSetFile.h"
#include "Errors.h"
#include "PlotMode.h"
#include "SettingsRecord.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

inline constexpr std::string_view GraphFileHeader =
    "Kurvofile  Created with Kurvo32 v1.0 (32 bit Windows version)";
/// The line between the formulas and the data-set lines.
inline constexpr std::string_view GraphFileDataSetsLine = "###Datasets";
/// The line after the data-set lines that starts the graphs' modes, one line per formula.
inline constexpr std::string_view GraphFileGraphsLine = "###Graphs";
/// The number of fixed lines before the first formula.
inline constexpr std::size_t GraphFileFixedLines = 159;
/// The number of formulas a graph file holds at most, one per graph slot.
inline constexpr std::size_t GraphFileMaxFormulas = GraphSlotCount;

/// Everything a graph file holds. Texts are Windows-1252 bytes.
struct TGraphFile {
    /// Every setting but the administrator password and the outline-marks option, which the file
    /// does not hold (they stay as the reader's default-constructed record has them).
    TSettingsRecord settings;
    /// The main window's copies of the ranges, stored beside the view.
    long double XRange = 0, YRange = 0, TRange = 0;
    /// The typed formulas of the graph slots 0, 1, 2, ...; the writer stops at the first empty one
    /// and after GraphFileMaxFormulas.
    std::vector<std::string> formulas;
    /// The data-set store's lines; the writer stops at the first empty one.
    std::vector<std::string> dataSetLines;
    /// The mode of each formula, in the same order; empty when every graph is drawn in the mode of
    /// the settings. Written after the data-set lines behind "###Graphs", one line per mode.
    std::vector<TPlotMode> graphModes;

    friend bool operator==(const TGraphFile&, const TGraphFile&) = default;
};

/// A graph file that was read completely.
struct TGraphFileRead {
    TGraphFile graph;
    /// Formula lines beyond GraphFileMaxFormulas, read and not stored.
    std::size_t droppedFormulas = 0;
    /// Data-set lines with a comma that are not points, left out of graph.dataSetLines.
    std::vector<TRejectedLine> rejected;
};

/// A graph file that cannot be read: the file, the line (from 1) and what is wrong with it.
class EGraphFileError : public EInOutError {
  public:
    EGraphFileError(std::string file, int line, const std::string& reason);
    const char* className() const noexcept override { return "EGraphFileError"; }
    const std::string& file() const { return m_file; }
    int line() const { return m_line; }

  private:
    std::string m_file;
    int m_line;
};

/// The file's bytes, line for line, each line ended by CR LF. Texts longer than their field are
/// cut to it (255 characters, 10 for the plot-step text). Raises std::invalid_argument for what
/// could not be read back: a text holding a line feed, or a formula beginning with "###".
std::string encodeGraphFile(const TGraphFile& graph);

/// Reads a whole graph file text before giving anything back. Lines end at LF or CR LF. Flag lines
/// are true exactly when they are "T"; reals and integers must convert (a real may also be "INF",
/// "-INF" or "NAN", which the writer gives for a value that is not finite); a fixed real is the
/// number at the start of its line. Data-set lines with a comma that are not points are rejected
/// and listed; lines with neither a comma nor exactly "#" are skipped; the lines kept end with
/// "#". After a "###Graphs" line each line names a graph's mode (a line that names none gives the
/// mode of the settings). Raises EGraphFileError naming `fileName` and the line when a value cannot be converted,
/// or when the file ends before the "###Datasets" line.
TGraphFileRead decodeGraphFile(std::string_view bytes, const std::string& fileName);

/// Writes the graph file atomically (see writeFileAtomically). Raises EInOutError naming the file.
void writeGraphFile(const std::filesystem::path& file, const TGraphFile& graph);

/// Reads and checks a whole graph file (see readOpenedFile and decodeGraphFile for the errors).
TGraphFileRead readGraphFile(const std::filesystem::path& file);

/// The settings after opening a graph file: those of the file, with the fields the file does not
/// hold (administrator password, outline marks) kept from `current`.
TSettingsRecord withGraphFileSettings(const TSettingsRecord& current, const TSettingsRecord& fromFile);

} // namespace kurvo
