// Shared pieces of the kurvo command line.
#include "CliCommon.h"

#include "Cp1252.h"
#include "Errors.h"

#include <filesystem>
#include <iostream>

namespace kurvo::cli {

std::string errorLine(const std::exception& e) {
    std::string name = "Exception";
    if (auto* k = dynamic_cast<const EKurvoError*>(&e)) name = k->className();
    std::string message;
    for (char c : std::string(e.what())) {
        if (c == '\r')
            message += " | ";
        else if (c != '\n')
            message += c;
    }
    return "!" + name + ": " + cp1252ToUtf8(message);
}

bool wantsHelp(const Args& args) {
    for (const auto& a : args) {
        if (a == "--") return false;
        if (a == "--help" || a == "-h") return true;
    }
    return false;
}

bool printedHelp(const Args& args, const char* help) {
    if (!wantsHelp(args)) return false;
    std::cout << help;
    return true;
}

TDataSource startDataSource(const std::string& startFolder) {
    namespace fs = std::filesystem;
    if (!startFolder.empty()) {
        if (!fs::is_directory(fs::path(startFolder) / "data"))
            throw EInOutError("The start folder " + startFolder + " has no data folder");
        return TDataSource(fs::path(startFolder) / "data");
    }
    if (fs::is_directory("data")) return TDataSource(fs::path("data"));
    return TDataSource::builtInDefaults();
}

std::string optionValue(const Args& args, std::size_t& i) {
    if (i + 1 >= args.size()) throw UsageError("option " + args[i] + " needs a value");
    return args[++i];
}

} // namespace kurvo::cli
