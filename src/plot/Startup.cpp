// The start of a session: settings, relation labels, range texts, user functions, separators.
#include "Startup.h"

#include "Defaults.h"
#include "NumberText.h"
#include "SystemLocale.h"

#include "AsciiCase.h"
#include "Errors.h"

#include <exception>
#include <system_error>

namespace kurvo::startup {

TStartSettings startSettings(const TSettingsRecord& stored) {
    TSanitizedSettings safe = sanitized(stored);
    TStartSettings result{safe.record, {}};
    if (!safe.replaced.empty()) {
        std::string list;
        for (const auto& r : safe.replaced)
            list += (list.empty() ? "" : ", ") + r;
        result.message = "Some settings could not be used and were replaced by defaults: " + list;
    }
    result.record.XAxisName = "x";
    result.record.YAxisName = "y";
    result.record.LastGraph = -1;
    result.record.FamilyPlotting = false;
    return result;
}

std::optional<std::filesystem::path> dataFolderIn(const std::filesystem::path& startFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(startFolder / "data", ec)) return startFolder / "data";
    for (fs::directory_iterator it(startFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (asciiLower(it->path().filename().string()) == "data" && it->is_directory(kind)) return it->path();
    }
    return std::nullopt;
}

TDataSource dataSource(const std::string& startFolder) {
    const std::filesystem::path folder = startFolder.empty() ? std::filesystem::path(".") : std::filesystem::path(startFolder);
    if (auto data = dataFolderIn(folder)) return TDataSource(startFolder.empty() ? data->filename() : *data);
    if (!startFolder.empty()) throw EInOutError("The start folder " + startFolder + " has no data folder");
    return TDataSource::builtInDefaults();
}

TSession startSession(const TDataSource& data, const std::optional<TSettingsRecord>& stored) {
    TStartSettings start = startSettings(stored ? *stored : data.readSettings());
    TSession session{start.record, {}, extensionSettings(data)};
    if (!start.message.empty()) session.messages.push_back(start.message);
    return session;
}

void applySession(TPlotParsers& parsers, const TSettingsRecord& settings, const TDataSource& data) {
    applyLocaleSeparators(parsers.Translator);
    parsers.syncModes(settings);
    loadUserFunctions(parsers, settings, data);
}

std::vector<std::string> relationLabels(const TSettingsRecord& mode, const TDataSource& data) {
    if (mode.ImplicitMode) return {};
    if (!mode.CartesianMode) return {mode.ParametricMode ? "r,\xF8=" : "r="};
    if (mode.ParametricMode) return {"x,y="};
    return data.readLines(datafile::Relations);
}

std::array<std::string, 6> rangeFieldTexts(const TSettingsRecord& s) {
    return {formatGeneral(s.Tmin), formatGeneral(s.Tmax), formatGeneral(s.Xmin),
            formatGeneral(s.Xmax), formatGeneral(s.Ymin), formatGeneral(s.Ymax)};
}

void loadUserFunctions(TPlotParsers& parsers, const TSettingsRecord& mode, const TDataSource& data) {
    TUserFunctionTexts functions = data.readFunctionExpressions(mode.CartesianMode);
    std::exception_ptr first;
    for (std::size_t k = 0; k < functions.size(); ++k) {
        try {
            parsers.UserFunctionParser[k]->setExpression(functions[k]);
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

void applyLocaleSeparators(TFormulaTrans& translator) {
    NumberSeparators separators = systemNumberSeparators();
    translator.DecimalSeparator = separators.decimal;
    translator.ThousandSeparator = separators.thousands;
}

TExtensionSettings extensionSettings(const TDataSource& data) {
    return readExtensionSettings(data);
}

} // namespace kurvo::startup
