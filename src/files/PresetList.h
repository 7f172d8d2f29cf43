// The formulae editor's rules: the preset list of the current mode, read for editing and saved.
#pragma once

#include "DataSource.h"
#include "SettingsRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

/// The formula field after the preset list was saved: its drop-down items and its text.
struct TPresetList {
    std::vector<std::string> items; ///< the saved file's lines
    std::string formulaText;        ///< the first item, or empty when the list is empty
    friend bool operator==(const TPresetList&, const TPresetList&) = default;
};

/// The preset list of the record's mode (see presetListName: implicit first, then Cartesian or
/// polar, then parametric), one formula per line. Raises EInOutError when the file is missing.
std::vector<std::string> readPresetList(const TDataSource& data, const TSettingsRecord& mode);

/// The editor's text (Windows-1252, lines ended by LF or CR LF) as the list's lines: a line end
/// after the last line adds no empty line, and an empty text gives no lines.
std::vector<std::string> presetLinesFromText(std::string_view text);

/// The list's lines as the editor's text, joined with LF.
std::string presetTextFromLines(const std::vector<std::string>& lines);

/// OK of the formulae editor: writes the lines (atomically, CR LF) to the mode's preset list and
/// reads the file back, so the formula field shows exactly what was saved. An empty list saves an
/// empty file. Raises EInOutError when the file cannot be written; it is then left as it was.
TPresetList savePresetList(TDataSource& data, const TSettingsRecord& mode,
                           const std::vector<std::string>& lines);

} // namespace kurvo
