// The data folder: the start folder's, or an installed program's per-user one, and creating it
// from the defaults on a first start.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kurvo {

/// The start folder's "data" folder, its name matched without regard to case; none when absent.
std::optional<std::filesystem::path> findDataFolder(const std::filesystem::path& startFolder);

/// When the start folder has no data folder at all, asks the user whether to create one from the
/// built-in defaults and does so on Yes. Returns the data folder to use, or none when the user
/// declined or the folder could not be written (then the program runs with the defaults in memory).
/// A failure to write is reported through `tell`.
std::optional<std::filesystem::path> offerDefaultDataFolder(
    const std::filesystem::path& startFolder, const std::function<bool(const std::string&)>& ask,
    const std::function<void(const std::string&)>& tell);


/// The folders an installed program chooses its data folder from.
struct DataFolderPlaces {
    std::filesystem::path startFolder;
    /// The installed default data folder; none for a program run from its build folder.
    std::optional<std::filesystem::path> installedDefaults;
    /// The user's own data folder (it need not exist yet); none when the user has no home.
    std::optional<std::filesystem::path> userData;
};

/// The user's data folder: `$XDG_DATA_HOME/kurvo32/data` when XDG_DATA_HOME is an absolute path,
/// else `$HOME/.local/share/kurvo32/data`; none when neither is usable. Either argument may be null.
std::optional<std::filesystem::path> userDataFolder(const char* xdgDataHome, const char* home);

/// The installed default data folder of a program whose executable lies in `executableFolder`:
/// `executableFolder / fromExecutable` when that is a folder. A program run from its build folder
/// has none, which is how an installed program is told from one in the build tree.
std::optional<std::filesystem::path> installedDefaultsFolder(const std::filesystem::path& executableFolder,
                                                             const std::filesystem::path& fromExecutable);

/// Whether a data folder holds a settings file (`sett.dat`, its name matched without regard to case).
bool holdsSettings(const std::filesystem::path& dataFolder);

/// Copies the installed defaults to `target`, which must not exist yet. The copy is made in a new
/// folder beside `target` and renamed into place, so an interrupted copy never passes for a data
/// folder; every copied file is made writable by its owner. Throws std::runtime_error on failure.
void copyDefaultDataFolder(const std::filesystem::path& defaults, const std::filesystem::path& target);

/// The data folder the window starts with.
/// - Run from its build folder (no installed defaults), or without a home folder: the start
///   folder's data folder, or the question of offerDefaultDataFolder.
/// - Installed: the start folder's data folder when it holds settings (a class's shared folder);
///   otherwise the user's data folder, created from the installed defaults on first start without
///   asking. When it cannot be created the failure is reported through `tell` and the program runs
///   with the defaults in memory (none is returned).
std::optional<std::filesystem::path> chooseDataFolder(const DataFolderPlaces& places,
                                                      const std::function<bool(const std::string&)>& ask,
                                                      const std::function<void(const std::string&)>& tell);

} // namespace kurvo
