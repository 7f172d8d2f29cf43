// Fuzz target: any text translates (or fails with a translation or conversion error) quickly, and
// whatever it translates into parses or fails with a parser error; the second branch of a solved
// relation likewise. Nothing else may escape, crash or hang.
#include "Errors.h"
#include "FormulaTrans.h"
#include "Parser.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void parse(kurvo::TParser& parser, const std::string& text) {
    try {
        parser.setExpression(text);
        parser.X = parser.Y = parser.T = 1.5;
        try {
            (void)parser.Value();
        } catch (const kurvo::EMathError&) {
        }
    } catch (const kurvo::EMathParserError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 2000) return 0;
    static kurvo::TParser parser;
    // The first byte chooses the flags and the separators; the rest is the text.
    const std::uint8_t flags = data[0];
    kurvo::TFormulaTrans trans;
    trans.Degrees = flags & 1;
    trans.Implicit_simple_sort = flags & 2;
    trans.DecimalSeparator = (flags & 4) ? ',' : '.';
    trans.ThousandSeparator = (flags & 8) ? ((flags & 4) ? '.' : ',') : '\0';
    trans.Instring.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        trans.Translate();
        parse(parser, trans.Outstring);
        if (trans.Root) {
            trans.Instring = trans.SecondFn;
            trans.Translate();
            parse(parser, trans.Outstring);
        }
    } catch (const kurvo::ETranslateError&) {
    } catch (const kurvo::EConvertError&) {
    }
    return 0;
}
