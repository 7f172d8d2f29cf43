// kurvo translate: classroom notation to evaluator syntax, with what the translator reports.
#include "Commands.h"

#include "Cp1252.h"
#include "FormulaTrans.h"
#include "Options.h"
#include "SystemLocale.h"

#include <iostream>

namespace kurvo::cli {
namespace {

const char* TranslateHelp =
    R"(Usage: kurvo translate [--degrees] [--simple-sort] [--decimal C] [--thousands C] [--] TEXT...

Translates each TEXT from classroom notation (sin²x, 2x(x+1), |x|, 3!, f'(x), y²=25-x²) into
evaluator syntax, with a fresh translator for each, and prints one line per TEXT:

  OUTSTRING<TAB>ycount=N<TAB>root=T|F<TAB>second=SECONDFN

ycount is the number of "y" in the last relation translated, root tells whether the relation solved
for y has a second branch, and second is that branch in classroom notation (translate it again to
evaluate it). A translation that fails prints its error ("!ErrorClass: message") instead.

Options:
  --degrees          trigonometric functions take and give degrees (sin becomes SINRAD)
  --simple-sort      a relation becomes left-(right) instead of being solved for y
  --decimal C        decimal separator (default: the system locale's); when it is ",", the first
                     "," of a TEXT is its decimal point
  --thousands C      thousands separator, removed from every TEXT (default: the system locale's);
                     an empty value means none
  -h, --help         show this help

Exit status: 0 when every TEXT translated, 1 when any failed, 2 on bad usage.
)";

/// A separator option's value: empty for none, else exactly one Windows-1252 character.
char separatorValue(const std::string& option, const std::string& value) {
    std::string c = utf8ToCp1252(value);
    if (c.empty()) return '\0';
    if (c.size() != 1)
        throw UsageError(option + " wants one character or an empty value, not '" + value + "'");
    return c[0];
}

} // namespace

int runTranslate(const Args& args) {
    if (printedHelp(args, TranslateHelp)) return 0;
    NumberSeparators separators = systemNumberSeparators();
    bool degrees = false, simpleSort = false;
    const std::vector<std::string> texts = readOptions(
        args,
        {
            switchOption("--degrees", [&] { degrees = true; }),
            switchOption("--simple-sort", [&] { simpleSort = true; }),
            valueOption("--decimal",
                        [&](const std::string& v) { separators.decimal = separatorValue("--decimal", v); }),
            valueOption(
                "--thousands",
                [&](const std::string& v) { separators.thousands = separatorValue("--thousands", v); }),
        });
    if (texts.empty()) throw UsageError("no text given (see kurvo translate --help)");

    int status = 0;
    for (const auto& text : texts) {
        TFormulaTrans trans;
        trans.Degrees = degrees;
        trans.Implicit_simple_sort = simpleSort;
        trans.DecimalSeparator = separators.decimal;
        trans.ThousandSeparator = separators.thousands;
        trans.Instring = utf8ToCp1252(text);
        try {
            trans.Translate();
            std::cout << cp1252ToUtf8(trans.Outstring) << "\tycount=" << trans.ycount
                      << "\troot=" << (trans.Root ? 'T' : 'F') << "\tsecond=" << cp1252ToUtf8(trans.SecondFn)
                      << "\n";
        } catch (const std::exception& e) {
            std::cout << errorLine(e) << "\n";
            status = 1;
        }
    }
    return status;
}

} // namespace kurvo::cli
