// kurvo eval: evaluates expressions in evaluator syntax with one parser.
#include "AsciiCase.h"
#include "Commands.h"

#include "Cp1252.h"
#include "NumberText.h"
#include "Options.h"
#include "Parser.h"

#include <array>
#include <iostream>
#include <memory>

namespace kurvo::cli {
namespace {

const char* EvalHelp =
    R"(Usage: kurvo eval [--set NAME=VALUE]... [--function L=EXPR]... [--polar] [--] EXPR...

Evaluates each EXPR, written in evaluator syntax (for example "SIN(X)^2+1"), with one parser and
prints one line per EXPR: its value as general number text, or its error as
"!ErrorClass: message".

Options:
  --set NAME=VALUE     give variable NAME (a b c d e m n o p q r s t u v w x y z, any case) a
                       plain decimal value; unset variables are 0
  --function L=EXPR    give user function L (F, G, H, I, J, K or L) an expression
  --polar              user functions bind T instead of X
  -h, --help           show this help

Exit status: 0 when every EXPR evaluated, 1 when any failed, 2 on bad usage.
)";

} // namespace

int runEval(const Args& args) {
    if (printedHelp(args, EvalHelp)) return 0;
    TParserContext context;
    std::array<std::unique_ptr<TParser>, UserFunctionCount> userFunctions;
    for (std::size_t k = 0; k < userFunctions.size(); ++k) {
        userFunctions[k] = std::make_unique<TParser>(context);
        context.UserFunctionParser[k] = userFunctions[k].get();
    }
    TParser parser(context);

    std::vector<std::pair<char, double>> sets;
    std::vector<std::pair<int, std::string>> functions;
    const std::vector<std::string> expressions = readOptions(
        args,
        {
            valueOption("--set",
                        [&](const std::string& v) {
                            auto eq = v.find('=');
                            if (eq != 1 || parser.variable(v[0]) == nullptr)
                                throw UsageError("--set wants NAME=VALUE with NAME one of a b c d e m n o p "
                                                 "q r s t u v w x y z, not '" +
                                                 v + "'");
                            auto value = parsePascalNumber(v.substr(2));
                            if (!value)
                                throw UsageError("--set " + v + ": '" + v.substr(2) +
                                                 "' is not a plain decimal number");
                            sets.emplace_back(asciiUpper(v[0]), *value);
                        }),
            valueOption("--function",
                        [&](const std::string& v) {
                            auto eq = v.find('=');
                            char letter = v.empty() ? 0 : asciiUpper(v[0]);
                            if (eq != 1 || letter < 'F' || letter > 'L')
                                throw UsageError(
                                    "--function wants L=EXPR with L one of F G H I J K L, not '" + v + "'");
                            functions.emplace_back(letter - 'F', utf8ToCp1252(v.substr(2)));
                        }),
            switchOption("--polar", [&] { context.CartesianMode = false; }),
        });
    if (expressions.empty()) throw UsageError("no expression given (see kurvo eval --help)");

    for (auto& [letter, value] : sets) {
        *parser.variable(letter) = value;
        for (auto& f : userFunctions)
            *f->variable(letter) = value;
    }
    int status = 0;
    for (auto& [index, text] : functions) {
        try {
            userFunctions[static_cast<std::size_t>(index)]->setExpression(text);
        } catch (const std::exception& e) {
            std::cerr << "kurvo eval: function " << static_cast<char>('F' + index) << ": " << errorLine(e)
                      << "\n";
            return 1;
        }
    }
    for (const auto& text : expressions) {
        try {
            parser.setExpression(utf8ToCp1252(text));
            std::cout << formatGeneral(parser.Value()) << "\n";
        } catch (const std::exception& e) {
            std::cout << errorLine(e) << "\n";
            status = 1;
        }
    }
    return status;
}

} // namespace kurvo::cli
