// Helpers shared by the engine tests: evaluate a text and name the error it raised.
#pragma once

#include "Errors.h"
#include "Parser.h"

#include <string>
#include <variant>

namespace kurvo::test {

/// The value of an expression, or the class name of the error it raised (parse or evaluation).
struct Outcome {
    bool ok = false;
    long double value = 0;
    std::string error;
    std::string message;
};

inline Outcome evaluate(TParser& p, const std::string& text) {
    Outcome o;
    try {
        p.setExpression(text);
        o.value = p.Value();
        o.ok = true;
    } catch (const EKurvoError& e) {
        o.error = e.className();
        o.message = e.what();
    }
    return o;
}

inline Outcome evaluateAt(const std::string& text, double x) {
    TParser p;
    p.X = x;
    return evaluate(p, text);
}

} // namespace kurvo::test
