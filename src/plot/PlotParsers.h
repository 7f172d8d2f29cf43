// TPlotParsers: the evaluators and the formula translator that the plotting shares.
#pragma once

#include "FormulaTrans.h"
#include "Parser.h"
#include "SettingsRecord.h"

#include <array>
#include <memory>

namespace kurvo {

/// The program's evaluators: `Parser1` and `Parser2` draw (a parametric pair uses both), `Parser3`
/// and `Parser4` serve the pointer readout and the tangent, `SpareParser` holds the newest formula
/// for the sample export, and one parser per user function F..L. All share one context (markers,
/// user functions, mode) and one translator.
class TPlotParsers {
  public:
    TPlotParsers();
    TPlotParsers(const TPlotParsers&) = delete;
    TPlotParsers& operator=(const TPlotParsers&) = delete;

    TParserContext Context;
    TParser Parser1, Parser2, Parser3, Parser4, SpareParser;
    std::array<std::unique_ptr<TParser>, UserFunctionCount> UserFunctionParser;
    TFormulaTrans Translator;

    /// Copies the settings' constants into a parser's constant letters.
    static void copyConstants(TParser& p, const TSettingsRecord& s);
    /// Adds the family increments to a parser's constant letters.
    static void stepFamily(TParser& p, const TSettingsRecord& s);
    /// Applies the settings' mode to the translator and the user-function parsers.
    void syncModes(const TSettingsRecord& s);
    /// The translator's options (separators, degrees); nothing is kept between translations.
    TTranslateOptions translateOptions() const { return Translator.options(); }
    /// Translates a text with the translator's options, keeping nothing.
    std::string translate(const std::string& text) const {
        return translateFormula(text, translateOptions()).Outstring;
    }
};

} // namespace kurvo
