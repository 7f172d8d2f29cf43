// The formula translator's relation rearrangement: a relation with one y solved for y, as text.
#include "FormulaTrans.h"

#include "FormulaChars.h"
#include "NumberText.h"
#include "TextHelpers.h"

#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

namespace kurvo {

using namespace formula;

namespace {

constexpr auto npos = std::string::npos;

/// Index of the ")" that closes the "(" at `open`, or npos.
std::size_t closingBracket(std::string_view s, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < s.size(); ++i) {
        if (s[i] == '(') {
            ++depth;
        } else if (s[i] == ')' && --depth == 0) {
            return i;
        }
    }
    return npos;
}

/// s is one bracket group: its first "(" is closed by its last character.
bool isBracketGroup(std::string_view s) {
    return s.size() >= 2 && s.front() == '(' && closingBracket(s, 0) == s.size() - 1;
}

std::string inside(const std::string& group) {
    return group.substr(1, group.size() - 2);
}

/// s is a call NAME(...) whose bracket reaches the end.
bool isCall(std::string_view s) {
    std::size_t k = 0;
    while (k < s.size() && (isLower(s[k]) || isUpper(s[k])))
        ++k;
    return k > 0 && isBracketGroup(s.substr(k));
}

/// s as the operand of a power, quotient or negation: bracketed unless it already is one piece.
std::string asOperand(const std::string& s) {
    return isBracketGroup(s) || isCall(s) ? s : "(" + s + ")";
}

/// s as the bracketed argument of a function name.
std::string asArgument(const std::string& s) {
    return isBracketGroup(s) ? s : "(" + s + ")";
}

bool balanced(std::string_view s) {
    int depth = 0;
    for (char c : s) {
        if (c == '(') ++depth;
        if (c == ')' && --depth < 0) return false;
    }
    return depth == 0;
}

/// Whether the sign at i starts a new term. A sign right after "*", "/", "^" or another sign belongs
/// to the factor, exponent or number that follows ("2*-y", "x^-2"), and so does the sign of a
/// number's exponent ("1e-3").
bool startsTerm(std::string_view w, std::size_t i) {
    if (i == 0) return false;
    char prev = w[i - 1];
    if (prev == '*' || prev == '/' || prev == '^' || prev == '+' || prev == '-') return false;
    return !(prev == 'e' && i >= 2 && isDigit(w[i - 2]));
}

/// Splits w before every "+" or "-" outside brackets; each term keeps its leading sign.
std::vector<std::string> splitTerms(std::string_view w) {
    std::vector<std::string> terms;
    std::string term;
    int depth = 0;
    for (std::size_t i = 0; i < w.size(); ++i) {
        char c = w[i];
        if ((c == '+' || c == '-') && depth == 0 && startsTerm(w, i) && !term.empty()) {
            terms.push_back(std::move(term));
            term.clear();
        }
        term += c;
        if (c == '(') ++depth;
        if (c == ')' && depth > 0) --depth;
    }
    if (!term.empty()) terms.push_back(std::move(term));
    return terms;
}

bool isPlainNumber(std::string_view e) {
    if (e.empty()) return false;
    for (char c : e)
        if (!isDigit(c) && c != '.') return false;
    return parsePascalNumber(e).has_value();
}

/// An exponent whose root the rearrangement can take: a number, one letter standing for a constant
/// or variable, or a bracket group.
bool isSimpleExponent(std::string_view e) {
    if (isBracketGroup(e) || isPlainNumber(e)) return true;
    return e.size() == 1 && isLower(e[0]) && e[0] != 'y' && !(e[0] >= 'f' && e[0] <= 'l');
}

/// Whether y^e = o also has the solution y = -o^(1/e). Only an even whole exponent has it (y^3 = x
/// and y^0.5 = x have one real solution); an exponent that is no number, such as a letter, is
/// assumed to. A number may be written as a fraction of two numbers ("(1/3)").
bool hasNegativeRoot(std::string e) {
    while (isBracketGroup(e))
        e = inside(e);
    double v = 0;
    auto slash = e.find('/');
    if (isPlainNumber(e)) {
        v = *parsePascalNumber(e);
    } else if (slash != npos && isPlainNumber(e.substr(0, slash)) && isPlainNumber(e.substr(slash + 1))) {
        v = *parsePascalNumber(e.substr(0, slash)) / *parsePascalNumber(e.substr(slash + 1));
    } else {
        return true;
    }
    return std::isfinite(v) && std::fmod(v, 2.0) == 0;
}

/// The function's argument as the translator reads it: a bracket group, or, without a bracket, the
/// next character and the operand characters after it. True when that argument is all of `arg`.
bool isWholeArgument(std::string_view arg) {
    if (arg.empty()) return false;
    if (arg.front() == '(') return isBracketGroup(arg);
    std::size_t k = 1;
    while (k < arg.size() && isOperandChar(arg[k]))
        ++k;
    return k == arg.size();
}

/// The other side of the relation while y is isolated, with the second branch once a root with two
/// solutions has been taken. Every later step rewrites both alike.
struct OtherSide {
    std::string o = "0";
    bool hasBranch = false;
    std::string second;

    template <class Step> void apply(Step step) {
        o = step(o);
        if (hasBranch) second = step(second);
    }
    void recordBranch() {
        hasBranch = true;
        second = "-" + o;
    }
    void negate() {
        apply([](const std::string& s) { return "(-" + asOperand(s) + ")"; });
    }
};

bool dropLeading(std::string& r, char c) {
    if (r.empty() || r.front() != c) return false;
    r.erase(0, 1);
    return true;
}

/// A leading minus of the whole y-term moves to the other side. When r is a sum ("-x+y", left by
/// removing brackets), its minus belongs to the first term only and stays.
void moveNegation(std::string& r, OtherSide& side) {
    if (!r.empty() && r.front() == '-' && splitTerms(r).size() == 1) {
        r.erase(0, 1);
        side.negate();
    }
}

/// The relation as one side minus the other: ">=" and "<=" count as "=", and so does the first "<"
/// or ">" left. It is the answer whenever y cannot be isolated: its sign still tells on which side
/// of the curve a point lies.
std::string implicitFormOf(const std::string& relation) {
    std::string t = relation;
    if (t.find(">=") != npos) t = deleteAll(t, ">");
    if (t.find("<=") != npos) t = deleteAll(t, "<");
    t = replaceFirst(t, "<", "=");
    t = replaceFirst(t, ">", "=");
    auto eq = t.find('=');
    const std::string left = eq == npos ? std::string() : t.substr(0, eq);
    const std::string right = eq == npos ? t : t.substr(eq + 1);
    return left + "-(" + right + ")";
}

/// Moves every term of w without y to the other side and returns the (last) term with y, without
/// a leading "+"; nothing when no term has y.
std::optional<std::string> takeYTerm(const std::string& w, OtherSide& side) {
    auto terms = splitTerms(w);
    std::size_t yTerm = npos;
    for (std::size_t k = 0; k < terms.size(); ++k)
        if (terms[k].find('y') != npos) yTerm = k;
    if (yTerm == npos) return std::nullopt;
    std::string r = terms[yTerm];
    dropLeading(r, '+');
    side.apply([&](const std::string& s) {
        std::string moved = "(" + s;
        // A term keeps its sign, except that a "+" is dropped: the parser reads "+1" as a number but
        // rejects "+x".
        for (std::size_t k = 0; k < terms.size(); ++k)
            if (k != yTerm) moved += "-(" + (terms[k][0] == '+' ? terms[k].substr(1) : terms[k]) + ")";
        return moved + ")";
    });
    return r;
}

/// A numeric coefficient multiplying the rest ("3y", "2x(y+1)", "2*y") is divided out.
void divideCoefficient(std::string& r, OtherSide& side) {
    if (r.empty() || !(isCoefficientChar(r[0]) || isConstantLetter(r[0])) || splitTerms(r).size() != 1) return;
    std::size_t n = 0;
    while (n < r.size() && isCoefficientChar(r[n]))
        ++n;
    std::string rest = r.substr(n);
    if (n == 0 || rest.empty() || !(isLower(rest[0]) || rest[0] == '(' || rest[0] == '*')) return;
    std::string coefficient = r.substr(0, n);
    side.apply([&](const std::string& s) { return "(" + asOperand(s) + "/(" + coefficient + "))"; });
    r = rest;
    dropLeading(r, '*');
    if (isBracketGroup(r)) r = inside(r);
}

/// Takes the root of a power of y or of a bracket group. Squares and general even powers have two
/// roots; cubes and odd powers one.
void takeRoots(std::string& r, OtherSide& side) {
    auto isGroupThen = [&](char last) {
        return r.size() >= 4 && r.back() == last && isBracketGroup(std::string_view(r).substr(0, r.size() - 1));
    };
    if (r == std::string("y") + Squared) {
        side.o = "sqrt" + asArgument(side.o);
        r = "y";
        side.recordBranch();
    }
    if (isGroupThen(Squared)) {
        side.o = "sqrt" + asArgument(side.o);
        r = r.substr(1, r.size() - 3);
        side.recordBranch();
    }
    if (r == std::string("y") + Cubed) {
        side.apply([](const std::string& s) { return asOperand(s) + "^(1/3)"; });
        r = "y";
    }
    if (isGroupThen(Cubed)) {
        side.apply([](const std::string& s) { return asOperand(s) + "^(1/3)"; });
        r = r.substr(1, r.size() - 3);
    }
    auto takeRoot = [&](const std::string& exponent) {
        if (hasNegativeRoot(exponent)) {
            side.o = asOperand(side.o) + "^(1/" + exponent + ")";
            side.recordBranch();
        } else {
            side.apply([&](const std::string& s) { return asOperand(s) + "^(1/" + exponent + ")"; });
        }
    };
    if (r.size() > 2 && r[0] == 'y' && r[1] == '^' && isSimpleExponent(std::string_view(r).substr(2))) {
        takeRoot(r.substr(2));
        r = "y";
    }
    if (!r.empty() && r[0] == '(') {
        auto close = closingBracket(r, 0);
        if (close != npos && close + 2 < r.size() && r[close + 1] == '^' &&
            isSimpleExponent(std::string_view(r).substr(close + 2))) {
            takeRoot(r.substr(close + 2));
            r = r.substr(1, close - 1);
        }
    }
}

/// A function of y is undone by its inverse; the outermost function is the one at the start. The
/// first name in search order that starts r is the one the translator would read there. False when
/// that function has no inverse: y cannot be isolated.
bool undoFunction(std::string& r, OtherSide& side, const TFormulaTrans& names) {
    for (std::size_t i = 0; i < TFormulaTrans::NameCount; ++i) {
        const std::string& name = names.UserNames()[i];
        if (name.empty() || r.compare(0, name.size(), name) != 0) continue;
        std::string arg = r.substr(name.size());
        if (isWholeArgument(arg)) {
            const std::string& inverse = names.InverseNames()[i];
            if (inverse.empty()) return false;
            side.apply([&](const std::string& s) { return inverse + asArgument(s); });
            r = arg;
        }
        break;
    }
    return true;
}

/// What is left must be a product with y as a plain factor ("ay", "x²y", "y(x+1)"): the other
/// side is divided by the rest. False when it is not.
bool divideOutFactor(const std::string& r, OtherSide& side, const TFormulaTrans& names) {
    auto p = r.find('y');
    std::string before = r.substr(0, p), after = r.substr(p + 1);
    if (!before.empty() && before.back() == '*') before.pop_back();
    if (dropLeading(after, '*') && after.empty()) return false;
    auto joinsBefore = [](char c) {
        return isDigit(c) || c == '.' || isLower(c) || c == ')' || c == Squared || c == Cubed;
    };
    auto joinsAfter = [](char c) { return isDigit(c) || c == '.' || isLower(c) || c == '('; };
    bool ok = !(before.empty() && after.empty()) && balanced(before) && balanced(after) &&
              (before.empty() || joinsBefore(before.back())) && (after.empty() || joinsAfter(after[0]));
    // A function name before y would take y into its argument.
    for (std::size_t i = 0; ok && i < TFormulaTrans::NameCount; ++i)
        if (!names.UserNames()[i].empty() && before.find(names.UserNames()[i]) != npos) ok = false;
    if (!ok) return false;
    std::string factor = before.empty() ? after : after.empty() ? before : before + "*" + after;
    side.apply([&](const std::string& s) { return asOperand(s) + "/(" + factor + ")"; });
    return true;
}

} // namespace

std::string TFormulaTrans::IsolateY(const std::string& relation) {
    SolvedForY = false;
    const std::string implicitForm = implicitFormOf(relation);

    std::string w = implicitForm;
    std::string r;
    OtherSide side;
    for (int pass = 0;; ++pass) {
        if (pass == MaxIsolatePasses) return implicitForm;
        std::optional<std::string> term = takeYTerm(w, side);
        if (!term) return implicitForm;
        r = *term;
        const std::string termAsSplit = r;

        moveNegation(r, side);
        if (isBracketGroup(r)) r = inside(r);
        moveNegation(r, side);
        divideCoefficient(r, side);
        moveNegation(r, side);
        takeRoots(r, side);
        moveNegation(r, side);
        if (!undoFunction(r, side, *this)) return implicitForm;

        if (r == "y" || r == termAsSplit) break; // solved, or no step applies any more
        w = r;
    }

    moveNegation(r, side);
    if (r == "e^y") {
        side.apply([](const std::string& s) { return "ln(" + s + ")"; });
        r = "y";
    }
    if (r != "y" && !divideOutFactor(r, side, *this)) return implicitForm;

    SolvedForY = true;
    if (side.hasBranch) {
        Root = true;
        SecondFn = side.second;
    }
    return side.o;
}

} // namespace kurvo
