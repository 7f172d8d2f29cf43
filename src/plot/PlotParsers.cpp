// TPlotParsers: creation, constants, family steps and mode.
#include "PlotParsers.h"

namespace kurvo {

TPlotParsers::TPlotParsers()
    : Parser1(Context), Parser2(Context), Parser3(Context), Parser4(Context), SpareParser(Context) {
    for (std::size_t k = 0; k < UserFunctionParser.size(); ++k) {
        UserFunctionParser[k] = std::make_unique<TParser>(Context);
        Context.UserFunctionParser[k] = UserFunctionParser[k].get();
    }
}

void TPlotParsers::copyConstants(TParser& p, const TSettingsRecord& s) {
    for (std::size_t k = 0; k < TSettingsRecord::ConstantCount; ++k)
        *p.variable(TSettingsRecord::ConstantLetters[k]) = static_cast<double>(s.ConstantValues[k]);
}

void TPlotParsers::stepFamily(TParser& p, const TSettingsRecord& s) {
    for (std::size_t k = 0; k < TSettingsRecord::ConstantCount; ++k)
        *p.variable(TSettingsRecord::ConstantLetters[k]) += static_cast<double>(s.FamilySteps[k]);
}

void TPlotParsers::syncModes(const TSettingsRecord& s) {
    Context.CartesianMode = s.CartesianMode;
    Translator.Degrees = s.DegreeMode;
}

} // namespace kurvo
