// Fuzz target: any text assigned to a parser parses or fails with a parser error, and evaluates or
// fails with an arithmetic error; nothing else may escape, crash or hang.
#include "Errors.h"
#include "Parser.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 600) return 0;
    static kurvo::TParserContext context;
    static kurvo::TParser userF(context);
    static kurvo::TParser parser(context);
    context.UserFunctionParser[0] = &userF;
    std::string text(reinterpret_cast<const char*>(data), size);
    // The first line, if there is one, becomes user function F, so recursion is exercised too.
    auto nl = text.find('\n');
    try {
        userF.setExpression(nl == std::string::npos ? std::string() : text.substr(0, nl));
    } catch (const kurvo::EMathParserError&) {
    }
    try {
        parser.setExpression(nl == std::string::npos ? text : text.substr(nl + 1));
        for (double x : {-2.5, 0.0, 1.0, 1e300}) {
            parser.X = parser.Y = parser.T = x;
            try {
                (void)parser.Value();
            } catch (const kurvo::EMathError&) {
            }
        }
    } catch (const kurvo::EMathParserError&) {
    }
    return 0;
}
