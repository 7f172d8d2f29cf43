// The start of a session: settings, relation labels, range texts, user functions, separators.
#include "Startup.h"

#include "Defaults.h"
#include "NumberText.h"
#include "SystemLocale.h"

#include <exception>

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
