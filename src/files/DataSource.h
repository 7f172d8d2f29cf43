// TDataSource: where the program's configuration comes from: a data folder, or the built-in defaults
// held in memory when the user chose not to create a data folder.
#pragma once

#include "DataFolder.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

/// The data folder's files, read and written by name. Backed by a real folder (every write is
/// atomic, every failure raises EInOutError naming the file) or, without one, by the shipped
/// defaults in memory: reads give the defaults, writes change only the memory, nothing touches disk.
class TDataSource {
  public:
    /// The files of `folder`.
    explicit TDataSource(std::filesystem::path folder) : folder_(std::in_place, std::move(folder)) {}
    /// The built-in defaults, in memory.
    static TDataSource builtInDefaults();

    bool inMemory() const { return !folder_; }
    /// The folder behind the source; null when it lives in memory.
    const DataFolder* folder() const { return folder_ ? &*folder_ : nullptr; }

    std::vector<std::string> readLines(std::string_view name) const;
    void writeLines(std::string_view name, const std::vector<std::string>& lines);
    void appendLine(std::string_view name, const std::string& line);

    TSettingsRecord readSettings() const;
    void writeSettings(const TSettingsRecord& record);
    TToolbarConfig readToolbarConfig() const;
    void writeToolbarConfig(const TToolbarConfig& config);

    TUserFunctionTexts readFunctions(bool cartesian) const;
    TUserFunctionTexts readFunctionExpressions(bool cartesian) const;
    void writeFunctions(bool cartesian, const TUserFunctionTexts& typed, const TUserFunctionTexts& translated);

  private:
    TDataSource() = default;
    static std::string key(std::string_view name);

    std::optional<DataFolder> folder_;
    std::map<std::string, std::vector<std::string>> lists_; // by lower-case name
    TSettingsRecord settings_{};
    TToolbarConfig toolbar_{};
};

} // namespace kurvo
