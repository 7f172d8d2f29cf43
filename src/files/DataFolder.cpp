// The data folder's text lists and typed files.
#include "DataFolder.h"
#include "AsciiCase.h"

#include "AtomicFile.h"
#include "Errors.h"

#include <optional>
#include <system_error>

namespace kurvo {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

} // namespace

const char* presetListName(const TSettingsRecord& mode) {
    if (mode.ImplicitMode) return datafile::ImplicitPresets;
    if (mode.CartesianMode)
        return mode.ParametricMode ? datafile::CartesianParametricPresets : datafile::CartesianPresets;
    return mode.ParametricMode ? datafile::PolarParametricPresets : datafile::PolarPresets;
}

const char* aliasListName(const TSettingsRecord& mode) {
    if (mode.ImplicitMode) return datafile::ImplicitAliases;
    if (mode.CartesianMode)
        return mode.ParametricMode ? datafile::CartesianParametricAliases : datafile::CartesianAliases;
    return mode.ParametricMode ? datafile::PolarParametricAliases : datafile::PolarAliases;
}

const char* functionFileName(bool cartesian) {
    return cartesian ? datafile::CartesianFunctions : datafile::PolarFunctions;
}

const char* functionExpressionFileName(bool cartesian) {
    return cartesian ? datafile::CartesianFunctionExpressions : datafile::PolarFunctionExpressions;
}

std::vector<std::string> splitLines(std::string_view text) {
    const std::vector<std::string_view> views = lineViews(text, false);
    return {views.begin(), views.end()};
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

TUserFunctionTexts functionsFromLines(const std::vector<std::string>& lines) {
    TUserFunctionTexts functions;
    for (std::size_t i = 0; i < UserFunctionCount && i < lines.size(); ++i)
        functions[i] = lines[i];
    return functions;
}

std::vector<std::string> functionExpressionLines(const TUserFunctionTexts& translated) {
    std::vector<std::string> lines;
    for (const auto& t : translated)
        lines.push_back(t.empty() ? "()" : t);
    return lines;
}

TUserFunctionTexts functionExpressionsFromLines(const std::vector<std::string>& lines) {
    TUserFunctionTexts functions;
    for (std::size_t i = 0; i < UserFunctionCount && i < lines.size(); ++i)
        functions[i] = lines[i] == "()" ? "(1)" : lines[i];
    return functions;
}

std::filesystem::path DataFolder::find(std::string_view name) const {
    std::filesystem::path exact = m_folder / std::string(name);
    std::error_code ec;
    if (std::filesystem::exists(exact, ec)) return exact;
    std::filesystem::directory_iterator it(m_folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (equalsIgnoringCase(it->path().filename().string(), name)) return it->path();
    }
    return exact;
}

std::vector<std::string> DataFolder::readLines(std::string_view name) const {
    return splitLines(readFileBytes(find(name)));
}

void DataFolder::writeLines(std::string_view name, const std::vector<std::string>& lines) const {
    writeFileAtomically(find(name), joinLines(lines));
}

void DataFolder::appendLine(std::string_view name, const std::string& line) const {
    std::filesystem::path file = find(name);
    std::error_code ec;
    std::vector<std::string> lines;
    if (std::filesystem::exists(file, ec)) lines = splitLines(readFileBytes(file));
    lines.push_back(line);
    writeFileAtomically(file, joinLines(lines));
}

TSettingsRecord DataFolder::readSettings() const {
    return readSettingsFile(find(datafile::Settings));
}

void DataFolder::writeSettings(const TSettingsRecord& record) const {
    writeSettingsFile(find(datafile::Settings), record);
}

TToolbarConfig DataFolder::readToolbarConfig() const {
    return readToolbarConfigFile(find(datafile::ToolbarConfig));
}

void DataFolder::writeToolbarConfig(const TToolbarConfig& config) const {
    writeToolbarConfigFile(find(datafile::ToolbarConfig), config);
}

TUserFunctionTexts DataFolder::readFunctions(bool cartesian) const {
    return functionsFromLines(readLines(functionFileName(cartesian)));
}

TUserFunctionTexts DataFolder::readFunctionExpressions(bool cartesian) const {
    return functionExpressionsFromLines(readLines(functionExpressionFileName(cartesian)));
}

void DataFolder::writeFunctions(bool cartesian, const TUserFunctionTexts& typed,
                                const TUserFunctionTexts& translated) const {
    const std::vector<std::string> typedLines(typed.begin(), typed.end());
    // The two files must always agree: when the second cannot be written, the first gets its old
    // contents back (or is removed again if it did not exist) before the error is passed on.
    const std::filesystem::path typedFile = find(functionFileName(cartesian));
    std::error_code ec;
    std::optional<std::string> previous;
    if (std::filesystem::exists(typedFile, ec)) previous = readFileBytes(typedFile);
    writeFileAtomically(typedFile, joinLines(typedLines));
    try {
        writeLines(functionExpressionFileName(cartesian), functionExpressionLines(translated));
    } catch (const EInOutError&) {
        try {
            if (previous)
                writeFileAtomically(typedFile, *previous);
            else
                std::filesystem::remove(typedFile, ec);
        } catch (const EInOutError&) {
            // The error being reported already names the folder's trouble; the first file's own
            // failure adds nothing the user could act on.
        }
        throw;
    }
}

} // namespace kurvo
