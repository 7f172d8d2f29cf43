// Shared pieces of the kurvo command line: usage errors, error lines, argument reading.
#pragma once

#include "DataSource.h"

#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace kurvo::cli {

/// Bad usage (unknown option, missing argument): reported on stderr with exit status 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using Args = std::vector<std::string>;

/// "!" + exception class + ": " + message, every carriage return written as " | ", in UTF-8.
std::string errorLine(const std::exception& e);

/// True when the arguments ask for help ("--help" or "-h" anywhere before "--").
bool wantsHelp(const Args& args);

/// Prints `help` on standard output when the arguments ask for it; true when it did.
bool printedHelp(const Args& args, const char* help);

/// The data folder a subcommand starts with: DIR/data for --start-folder DIR (raises EInOutError when
/// it has none), else ./data when it exists, else the built-in defaults.
TDataSource startDataSource(const std::string& startFolder);

/// Reads the value of an option that takes one ("--x A"); throws UsageError when it is missing.
std::string optionValue(const Args& args, std::size_t& i);

} // namespace kurvo::cli
