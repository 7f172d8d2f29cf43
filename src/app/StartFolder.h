// The start folder's data folder: finding it, and creating it from the defaults on a first start.
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

} // namespace kurvo
