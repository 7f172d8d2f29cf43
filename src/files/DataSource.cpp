// TDataSource: a data folder, or the built-in defaults in memory.
#include "DataSource.h"

#include "AsciiCase.h"
#include "Defaults.h"

namespace kurvo {

TDataSource TDataSource::builtInDefaults() {
    TDataSource s;
    for (auto& [name, lines] : defaultTextLists())
        s.lists_[key(name)] = lines;
    s.settings_ = defaultSettings();
    s.toolbar_ = defaultToolbarConfig();
    return s;
}

std::string TDataSource::key(std::string_view name) {
    return asciiLower(std::string(name));
}

std::vector<std::string> TDataSource::readLines(std::string_view name) const {
    if (folder_) return folder_->readLines(name);
    auto it = lists_.find(key(name));
    return it == lists_.end() ? std::vector<std::string>{} : it->second;
}

void TDataSource::writeLines(std::string_view name, const std::vector<std::string>& lines) {
    if (folder_)
        folder_->writeLines(name, lines);
    else
        lists_[key(name)] = lines;
}

void TDataSource::appendLine(std::string_view name, const std::string& line) {
    if (folder_)
        folder_->appendLine(name, line);
    else
        lists_[key(name)].push_back(line);
}

TSettingsRecord TDataSource::readSettings() const {
    return folder_ ? folder_->readSettings() : settings_;
}

void TDataSource::writeSettings(const TSettingsRecord& record) {
    if (folder_)
        folder_->writeSettings(record);
    else
        settings_ = record;
}

TToolbarConfig TDataSource::readToolbarConfig() const {
    return folder_ ? folder_->readToolbarConfig() : toolbar_;
}

void TDataSource::writeToolbarConfig(const TToolbarConfig& config) {
    if (folder_)
        folder_->writeToolbarConfig(config);
    else
        toolbar_ = config;
}

TUserFunctionTexts TDataSource::readFunctions(bool cartesian) const {
    return functionsFromLines(readLines(functionFileName(cartesian)));
}

TUserFunctionTexts TDataSource::readFunctionExpressions(bool cartesian) const {
    return functionExpressionsFromLines(readLines(functionExpressionFileName(cartesian)));
}

void TDataSource::writeFunctions(bool cartesian, const TUserFunctionTexts& typed,
                                 const TUserFunctionTexts& translated) {
    if (folder_) {
        folder_->writeFunctions(cartesian, typed, translated);
        return;
    }
    lists_[key(functionFileName(cartesian))] = std::vector<std::string>(typed.begin(), typed.end());
    lists_[key(functionExpressionFileName(cartesian))] = functionExpressionLines(translated);
}

} // namespace kurvo
