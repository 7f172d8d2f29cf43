// The start folder's data folder: lookup and first-start creation.
#include "AsciiCase.h"
#include "StartFolder.h"

#include "Defaults.h"

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

} // namespace kurvo
