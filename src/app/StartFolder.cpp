// The data folder: lookup, choice and first-start creation.
#include "AsciiCase.h"
#include "StartFolder.h"

#include "Defaults.h"

#include <random>
#include <stdexcept>
#include <system_error>

namespace kurvo {

std::optional<std::filesystem::path> findDataFolder(const std::filesystem::path& startFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(startFolder / "data", ec)) return startFolder / "data";
    for (fs::directory_iterator it(startFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = asciiLower(it->path().filename().string());
        if (name == "data" && it->is_directory(ec)) return it->path();
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> offerDefaultDataFolder(
    const std::filesystem::path& startFolder, const std::function<bool(const std::string&)>& ask,
    const std::function<void(const std::string&)>& tell) {
    if (auto existing = findDataFolder(startFolder)) return *existing;
    const std::filesystem::path data = startFolder / "data";
    const std::string question = "The folder " + startFolder.string() +
                                 " has no data folder, so Kurvo32 has no settings to start with.\r\r"
                                 "Create the data folder there with the default settings?";
    if (!ask(question)) return std::nullopt;
    try {
        writeDefaultDataFolder(data, false);
    } catch (const std::exception& e) {
        tell(e.what());
        return std::nullopt;
    }
    return data;
}


std::optional<std::filesystem::path> userDataFolder(const char* xdgDataHome, const char* home) {
    namespace fs = std::filesystem;
    // Relative values of XDG_DATA_HOME are to be ignored, as if it were unset.
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / "kurvo32" / "data";
    if (home && *home && fs::path(home).is_absolute()) return fs::path(home) / ".local" / "share" / "kurvo32" / "data";
    return std::nullopt;
}

std::optional<std::filesystem::path> installedDefaultsFolder(const std::filesystem::path& executableFolder,
                                                             const std::filesystem::path& fromExecutable) {
    std::error_code ec;
    const std::filesystem::path defaults = (executableFolder / fromExecutable).lexically_normal();
    if (std::filesystem::is_directory(defaults, ec)) return defaults;
    return std::nullopt;
}

bool holdsSettings(const std::filesystem::path& dataFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(dataFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (asciiLower(it->path().filename().string()) == "sett.dat" && it->is_regular_file(ec)) return true;
    }
    return false;
}

void copyDefaultDataFolder(const std::filesystem::path& defaults, const std::filesystem::path& target) {
    namespace fs = std::filesystem;
    const fs::path parent = target.parent_path();
    fs::path partial;
    try {
        fs::create_directories(parent);
        partial = parent / (target.filename().string() + ".new-" + std::to_string(std::random_device{}()));
        fs::copy(defaults, partial, fs::copy_options::recursive);
        for (const auto& entry : fs::recursive_directory_iterator(partial))
            fs::permissions(entry.path(), fs::perms::owner_write | fs::perms::owner_read, fs::perm_options::add);
        fs::rename(partial, target);
    } catch (const fs::filesystem_error& e) {
        std::error_code ignored;
        if (!partial.empty()) fs::remove_all(partial, ignored);
        throw std::runtime_error("Kurvo32 could not create its data folder " + target.string() + " from " +
                                 defaults.string() + ": " + e.code().message() +
                                 ".\r\rIt runs with the default settings, and changed settings are not kept.");
    }
}

std::optional<std::filesystem::path> chooseDataFolder(const DataFolderPlaces& places,
                                                      const std::function<bool(const std::string&)>& ask,
                                                      const std::function<void(const std::string&)>& tell) {
    if (!places.installedDefaults || !places.userData) return offerDefaultDataFolder(places.startFolder, ask, tell);
    if (auto shared = findDataFolder(places.startFolder); shared && holdsSettings(*shared)) return *shared;
    std::error_code ec;
    if (std::filesystem::is_directory(*places.userData, ec)) return *places.userData;
    try {
        copyDefaultDataFolder(*places.installedDefaults, *places.userData);
    } catch (const std::exception& e) {
        // Another copy of the program may have created it in the meantime.
        if (std::filesystem::is_directory(*places.userData, ec)) return *places.userData;
        tell(e.what());
        return std::nullopt;
    }
    return *places.userData;
}

} // namespace kurvo
