// The start of a session, shared by the window and the command line so the two never draw differently.
#pragma once

#include "DataSource.h"
#include "ExtensionSettings.h"
#include "PlotParsers.h"
#include "SettingsRecord.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kurvo::startup {

/// The settings a session computes with: the stored record with unusable values replaced by the
/// defaults, axis names "x" and "y", no graph yet and no family running. `message` names what was
/// replaced, empty when nothing was.
struct TStartSettings {
    TSettingsRecord record;
    std::string message;
};
TStartSettings startSettings(const TSettingsRecord& stored);

/// The data folder of a start folder: "data" in any case of letters ("Data", "DATA").
std::optional<std::filesystem::path> dataFolderIn(const std::filesystem::path& startFolder);

/// The data source of a session started in `startFolder` (empty: the working folder): its data
/// folder, else the built-in defaults. A start folder named explicitly must have a data folder:
/// EInOutError "The start folder ... has no data folder" otherwise.
TDataSource dataSource(const std::string& startFolder);

/// What every session starts with, read once: the window, each command and the tests apply it.
struct TSession {
    TSettingsRecord settings;          ///< the stored settings made usable (see startSettings)
    std::vector<std::string> messages; ///< what the user is told at the start
    TExtensionSettings options;        ///< the options beyond the settings record
};
/// The session of a data source; `stored` replaces the data folder's settings when given.
TSession startSession(const TDataSource& data, const std::optional<TSettingsRecord>& stored = std::nullopt);

/// Readies the evaluators of a session for its settings: the locale's separators, the mode, and
/// the user functions of the mode's function file (see loadUserFunctions for its error).
void applySession(TPlotParsers& parsers, const TSettingsRecord& settings, const TDataSource& data);

/// The entries of the relation box in the settings' mode: the Cartesian relation list, "x,y=" for
/// Cartesian parametric, "r=" or "r,ø=" in polar mode, none in implicit mode.
std::vector<std::string> relationLabels(const TSettingsRecord& mode, const TDataSource& data);

/// The range fields' first texts (t min, t max, x min, x max, y min, y max) as general number text.
std::array<std::string, 6> rangeFieldTexts(const TSettingsRecord& s);

/// Gives each user-function parser its translated function from the mode's function file. Every
/// function that parses is set; the first that does not is raised after all were tried.
void loadUserFunctions(TPlotParsers& parsers, const TSettingsRecord& mode, const TDataSource& data);

/// The decimal and thousands separators of the user's locale, for the translator.
void applyLocaleSeparators(TFormulaTrans& translator);

/// The options beyond the settings record, from the data folder's INI file; the defaults when the
/// file is missing or damaged, or the data lives in memory.
TExtensionSettings extensionSettings(const TDataSource& data);

} // namespace kurvo::startup
