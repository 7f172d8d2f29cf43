// kurvo init-data: writes the default data folder.
#include "Commands.h"
#include "Options.h"

#include "Defaults.h"
#include "Errors.h"

#include <iostream>

namespace kurvo::cli {
namespace {

const char* InitDataHelp = R"(Usage: kurvo init-data [--force] DIR

Writes the default data folder into DIR/data, creating folders as needed: the settings record
(sett.dat), the toolbar configuration (tbrcfg.dat), the preset formula lists, the user function
files, the relation list and the alias lists. These are the defaults the window offers when it
starts in a folder without a data folder.

Options:
  --force       overwrite files that exist already (without it, an existing file of the same
                name, in any letter case, stops the command before anything is written)
  -h, --help    show this help

Exit status: 0 when the folder was written, 1 when a file exists or cannot be written, 2 on bad usage.
)";

} // namespace

int runInitData(const Args& args) {
    if (printedHelp(args, InitDataHelp)) return 0;
    bool force = false;
    const std::vector<std::string> folders =
        readOptions(args, {switchOption("--force", [&] { force = true; })});
    if (folders.size() != 1) throw UsageError("expects exactly one folder (see kurvo init-data --help)");

    std::filesystem::path dataFolder = std::filesystem::path(folders[0]) / "data";
    if (!force) {
        auto existing = existingDataFiles(dataFolder);
        if (!existing.empty()) {
            std::cerr << "kurvo init-data: " << existing.front().string()
                      << " exists already (use --force to overwrite)\n";
            return 1;
        }
    }
    try {
        auto written = writeDefaultDataFolder(dataFolder, force);
        std::cout << "Wrote " << written.size() << " files into " << dataFolder.string() << "\n";
    } catch (const EKurvoError& e) {
        std::cerr << errorLine(e) << "\n";
        return 1;
    }
    return 0;
}

} // namespace kurvo::cli
