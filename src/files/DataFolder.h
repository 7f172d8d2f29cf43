// The data folder: its file names, case-insensitive lookup, Windows-1252 text lists with CR LF line
// ends, and the typed access to each file.
#pragma once

#include "SettingsRecord.h"
#include "ToolbarConfig.h"
#include "UserFunctions.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

/// The names of the data folder's files, as the program writes them.
namespace datafile {
inline constexpr const char* Settings = "sett.dat";
inline constexpr const char* ToolbarConfig = "tbrcfg.dat";
inline constexpr const char* CartesianPresets = "Cart.txt";
inline constexpr const char* CartesianParametricPresets = "Cartpara.txt";
inline constexpr const char* PolarPresets = "Polar.txt";
inline constexpr const char* PolarParametricPresets = "parapol.txt";
inline constexpr const char* ImplicitPresets = "implic.txt";
inline constexpr const char* CartesianFunctions = "Cartfun.txt";
inline constexpr const char* CartesianFunctionExpressions = "Cartfun_int.txt";
inline constexpr const char* PolarFunctions = "Polarfun.txt";
inline constexpr const char* PolarFunctionExpressions = "Polarfun_int.txt";
inline constexpr const char* Relations = "carttyp.txt";
inline constexpr const char* CartesianAliases = "cartal.txt";
inline constexpr const char* CartesianParametricAliases = "pcartal.txt";
inline constexpr const char* PolarAliases = "polal.txt";
inline constexpr const char* PolarParametricAliases = "ppolal.txt";
inline constexpr const char* ImplicitAliases = "Implal.txt";
} // namespace datafile

/// The preset list of the record's mode: implicit first, then Cartesian or polar, then parametric.
const char* presetListName(const TSettingsRecord& mode);
/// The alias list of the record's mode, chosen in the same order as the preset list.
const char* aliasListName(const TSettingsRecord& mode);
/// The user-notation function file: Cartesian or polar.
const char* functionFileName(bool cartesian);
/// The translated (evaluator syntax) function file: Cartesian or polar.
const char* functionExpressionFileName(bool cartesian);

/// Splits text into lines at LF or CR LF; a lone CR stays in its line. A last line without line
/// end counts; an empty text has no lines.
std::vector<std::string> splitLines(std::string_view text);
/// Joins lines, each followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

/// The seven typed functions from the lines of a function file: missing lines are empty.
TUserFunctionTexts functionsFromLines(const std::vector<std::string>& lines);
/// The seven translated functions from the lines of a function expression file: missing lines are
/// empty, and a line that is exactly "()" (an empty function) becomes "(1)".
TUserFunctionTexts functionExpressionsFromLines(const std::vector<std::string>& lines);
/// The lines of a function expression file: an empty function is written "()".
std::vector<std::string> functionExpressionLines(const TUserFunctionTexts& translated);

/// One data folder. File names are matched without regard to case, so "cart.txt" finds "Cart.txt";
/// a file that does not exist yet is created under the name given. Every write is atomic (see
/// writeFileAtomically); every failure raises EInOutError naming the file.
class DataFolder {
  public:
    explicit DataFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    const std::filesystem::path& folder() const { return m_folder; }
    /// The existing file whose name equals `name` without regard to case (an exact match first),
    /// else folder/name.
    std::filesystem::path find(std::string_view name) const;

    std::vector<std::string> readLines(std::string_view name) const;
    void writeLines(std::string_view name, const std::vector<std::string>& lines) const;
    /// Adds one line at the end of a list (rewriting the whole file); a missing file is created.
    void appendLine(std::string_view name, const std::string& line) const;

    TSettingsRecord readSettings() const;
    void writeSettings(const TSettingsRecord& record) const;
    TToolbarConfig readToolbarConfig() const;
    void writeToolbarConfig(const TToolbarConfig& config) const;

    /// The user-notation functions: the first seven lines, missing ones empty.
    TUserFunctionTexts readFunctions(bool cartesian) const;
    /// The translated functions as given to the function parsers ("()" read as "(1)").
    TUserFunctionTexts readFunctionExpressions(bool cartesian) const;
    /// Rewrites both function files: seven lines each; an empty translation is stored as "()".
    /// Each file is written atomically, and when the expression file cannot be written the
    /// user-notation file is put back as it was, so the two never disagree.
    void writeFunctions(bool cartesian, const TUserFunctionTexts& typed,
                        const TUserFunctionTexts& translated) const;

  private:
    std::filesystem::path m_folder;
};

} // namespace kurvo
