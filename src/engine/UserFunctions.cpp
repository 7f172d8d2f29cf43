// Checking and installing the user functions f..l.
#include "UserFunctions.h"

#include "Errors.h"
#include "FormulaTrans.h"
#include "FunctionTable.h"
#include "Parser.h"

#include <bitset>
#include <vector>

namespace kurvo {
namespace {

using CallTable = std::array<std::bitset<UserFunctionCount>, UserFunctionCount>;

std::string functionName(std::size_t index) {
    return std::string(1, UserFunctionLetters[index]);
}

/// The routine every user-function call step runs; the step's aux is the function's index.
Routine userFunctionRoutine() {
    for (const auto& entry : functionTable())
        if (entry.name == "F") return entry.routine;
    return nullptr;
}

std::bitset<UserFunctionCount> calledFunctions(const TParser& parser) {
    static_assert(UserFunctionCount == 7);
    const Routine user = userFunctionRoutine();
    std::bitset<UserFunctionCount> called;
    for (const auto& op : parser.operations())
        if (op.routine == user && op.aux >= 0 && static_cast<std::size_t>(op.aux) < UserFunctionCount)
            called.set(static_cast<std::size_t>(op.aux));
    return called;
}

/// "g", "g and h", "g, h and i".
std::string listOfNames(const std::vector<std::size_t>& indices) {
    std::string text;
    for (std::size_t k = 0; k < indices.size(); ++k) {
        if (k > 0) text += k + 1 == indices.size() ? " and " : ", ";
        text += functionName(indices[k]);
    }
    return text;
}

/// The first function (in the order f..l) that reaches itself again through the calls, with the
/// shortest chain of other functions that leads back to it.
std::optional<TUserFunctionError> findRecursion(const CallTable& calls) {
    for (std::size_t start = 0; start < UserFunctionCount; ++start) {
        if (calls[start].test(start))
            return TUserFunctionError{start, "Function " + functionName(start) + " calls itself."};
        // Breadth first from the functions `start` calls, so the chain reported is a shortest one.
        std::array<std::size_t, UserFunctionCount> cameFrom;
        cameFrom.fill(UserFunctionCount);
        std::vector<std::size_t> queue;
        for (std::size_t j = 0; j < UserFunctionCount; ++j)
            if (calls[start].test(j)) {
                cameFrom[j] = start;
                queue.push_back(j);
            }
        for (std::size_t q = 0; q < queue.size(); ++q) {
            const std::size_t current = queue[q];
            if (calls[current].test(start)) {
                std::vector<std::size_t> chain;
                for (std::size_t k = current; k != start; k = cameFrom[k])
                    chain.insert(chain.begin(), k);
                return TUserFunctionError{start, "Function " + functionName(start) +
                                                     " calls itself through " + listOfNames(chain) + "."};
            }
            for (std::size_t j = 0; j < UserFunctionCount; ++j)
                if (calls[current].test(j) && cameFrom[j] == UserFunctionCount && j != start) {
                    cameFrom[j] = current;
                    queue.push_back(j);
                }
        }
    }
    return std::nullopt;
}

} // namespace

std::string userFunctionExpression(const std::string& translated) {
    return translated == EmptyUserFunctionTranslation ? EmptyUserFunctionExpression : translated;
}

TUserFunctionCheck checkUserFunctions(const TUserFunctionTexts& typed, TFormulaTrans& translator) {
    TUserFunctionCheck check;
    CallTable calls;
    TParser parser;
    for (std::size_t k = 0; k < UserFunctionCount; ++k) {
        // Each definition is one line of each function file; a line break would shift the others.
        if (typed[k].find_first_of("\r\n") != std::string::npos) {
            check.error =
                TUserFunctionError{k, "Function " + functionName(k) + ": a definition is one line."};
            return check;
        }
        try {
            translator.Instring = typed[k];
            translator.Translate();
            check.translated[k] = translator.Outstring;
            parser.setExpression(userFunctionExpression(translator.Outstring));
        } catch (const EKurvoError& e) {
            check.error = TUserFunctionError{k, "Function " + functionName(k) + ": " + e.what()};
            return check;
        }
        calls[k] = calledFunctions(parser);
    }
    check.error = findRecursion(calls);
    return check;
}

void installUserFunctions(TParserContext& context, const TUserFunctionTexts& translated) {
    for (std::size_t k = 0; k < UserFunctionCount; ++k)
        if (TParser* parser = context.UserFunctionParser[k])
            parser->setExpression(userFunctionExpression(translated[k]));
}

} // namespace kurvo
