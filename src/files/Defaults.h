// The shipped defaults of every data folder file: the one place they are defined.
#pragma once

#include "SettingsRecord.h"
#include "ToolbarConfig.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kurvo {

/// The default settings: view -10..10 by -7..7, t from 0 to 2 pi, plot step 256, e and p set to
/// Euler's number and pi, the other constants 1, label font "DejaVu Sans", no admin password.
TSettingsRecord defaultSettings();

/// Every toolbar item checked, flat buttons, lines between the toolbars.
TToolbarConfig defaultToolbarConfig();

/// Every text file of the data folder with its default lines (Windows-1252), in writing order.
std::vector<std::pair<std::string, std::vector<std::string>>> defaultTextLists();

/// The files of the default data folder that exist already in `folder` (names matched without regard
/// to case).
std::vector<std::filesystem::path> existingDataFiles(const std::filesystem::path& folder);

/// Writes the complete default data folder into `folder` (created with its parents if needed) and
/// returns the files written. Unless `overwrite` is set, an existing file of the same name (without
/// regard to case) raises EInOutError before anything is written.
std::vector<std::filesystem::path> writeDefaultDataFolder(const std::filesystem::path& folder,
                                                          bool overwrite);

} // namespace kurvo
