// The formula translator: the steps that rewrite classroom notation into evaluator syntax.
#include "AsciiCase.h"
#include "FormulaTrans.h"

#include "Errors.h"
#include "FormulaChars.h"
#include "FormulaNames.h"
#include "NumberText.h"
#include "TextHelpers.h"

#include <cstdint>
#include <limits>

namespace kurvo {

using namespace formula;

namespace {


/// Every "(-" becomes "(0-", so a leading minus is a subtraction from 0, which the parser accepts.
/// Inserting the "0" never makes a new "(-", so one pass suffices.
std::string insertZeroAfterOpenMinus(const std::string& t) {
    std::string r;
    r.reserve(t.size() + 8);
    for (std::size_t i = 0; i < t.size(); ++i) {
        r += t[i];
        if (t[i] == '(' && i + 1 < t.size() && t[i + 1] == '-') r += '0';
    }
    return r;
}

/// f'(x): the first prime marks the whole formula as one to be derived.
void primeStep(std::string& t) {
    auto p = t.find('\'');
    if (p == std::string::npos) return;
    t = "DIFF(" + t.substr(0, p) + t.substr(p + 1) + ")";
}

/// The decimal text of n!, exact while it fits in 64 bits, general number text beyond.
std::string factorialText(const std::string& digits) {
    std::size_t first = digits.find_first_not_of('0');
    std::string significant = first == std::string::npos ? std::string() : digits.substr(first);
    int n = 0;
    if (significant.size() > 3) throw ETranslateError("Factorial too large: " + digits + "!");
    for (char c : significant)
        n = n * 10 + (c - '0');
    constexpr int LargestExact = 20;   // 20! < 2^64
    constexpr int LargestDouble = 170; // 171! exceeds the largest double
    if (n > LargestDouble) throw ETranslateError("Factorial too large: " + digits + "!");
    if (n <= LargestExact) {
        std::uint64_t f = 1;
        for (int k = 2; k <= n; ++k)
            f *= static_cast<std::uint64_t>(k);
        return std::to_string(f);
    }
    long double f = 1;
    for (int k = 2; k <= n; ++k)
        f *= k;
    return formatGeneral(f);
}

/// n!: the digits before the first "!" are replaced by the value; only the first factorial is
/// evaluated and every other "!" is dropped. A number written after the "!" multiplies (3!2 is
/// 6*2): glued on, its digits would join the value's digits or its exponent (24!2 would read as
/// 6.2E232).
void factorialStep(std::string& t) {
    auto p = t.find('!');
    std::size_t start = p;
    while (start > 0 && isDigit(t[start - 1]))
        --start;
    std::string digits = t.substr(start, p - start);
    if (digits.empty()) (void)strToInt(digits); // raises "'' is not a valid integer value"
    std::string rest = deleteAll(t.substr(p + 1), "!");
    bool numberFollows = !rest.empty() && (isDigit(rest[0]) || rest[0] == '.');
    t = t.substr(0, start) + factorialText(digits) + (numberFollows ? "*" : "") + rest;
}

/// An "x" followed by an operand character gets a "*". The walk covers the positions of the text
/// as it was before the step, while the text grows under it.
void xRule(std::string& t) {
    const std::size_t n = t.size();
    std::string r;
    r.reserve(n + n / 2);
    std::size_t inserted = 0;
    for (std::size_t i = 0; i < n; ++i) {
        r += t[i];
        // Position of this character in the growing text; the walk stops before position n - 1.
        std::size_t k = i + inserted;
        if (k + 1 < n && t[i] == 'x' && i + 1 < n && isOperandChar(t[i + 1])) {
            r += '*';
            ++inserted;
        }
    }
    t = std::move(r);
}

/// "²" and "³" become powers.
void superscripts(std::string& t) {
    std::string r;
    r.reserve(t.size() + 8);
    for (char c : t) {
        if (c == Squared)
            r += "^2";
        else if (c == Cubed)
            r += "^3";
        else
            r += c;
    }
    t = std::move(r);
}

/// The first pair of bars becomes ABS( ... ); only one pair is converted.
void absoluteBars(std::string& t) {
    auto first = t.find('|');
    if (first == std::string::npos) return;
    t.replace(first, 1, "ABS(");
    auto second = t.find('|', first + 4);
    if (second != std::string::npos) t.replace(second, 1, ")");
}

/// The multiplication rules, in order; a later rule that matches overrides an earlier one.
struct MultiplicationRule {
    bool (*matches)(char a, char b);
    bool insert;
};

constexpr MultiplicationRule MultiplicationRules[] = {
    {[](char a, char b) { return isOperandChar(a) && isOperandChar(b); }, true},
    {[](char a, char b) { return a == ')' && b == '('; }, true},
    {[](char a, char b) { return isOperandChar(a) && isNameStartChar(b); }, true},
    {[](char a, char b) { return isNameStartChar(a) && isNameStartChar(b); }, false},
    {[](char a, char b) { return isOperandChar(a) && b == ')'; }, false},
    {[](char a, char b) { return isOperandChar(a) && isOperatorChar(b); }, false},
    {[](char a, char b) { return isNumberChar(a) && isNumberChar(b); }, false},
    {[](char a, char b) { return isNumberChar(a) && isNameStartChar(b); }, true},
    {[](char a, char b) { return isOperandChar(a) && b == '('; }, true},
    {[](char a, char b) { return a == ')' && isNameStartChar(b); }, true},
    {[](char a, char b) { return isNumberChar(a) && (b == 'e' || b == 'E'); }, false},
    {[](char a, char) { return a == 'e'; }, false},
    {[](char a, char) { return a == '('; }, false},
    {[](char a, char) { return isOperatorChar(a); }, false},
};

/// Whether a "*" goes between a and b; when no rule matches the previous decision stands.
bool multiplicationBetween(char a, char b, bool previous) {
    bool insert = previous;
    for (const auto& rule : MultiplicationRules)
        if (rule.matches(a, b)) insert = rule.insert;
    return insert;
}

/// Walks the text pair by pair and inserts "*" where the rules say so. After an insertion the walk
/// continues at the "*" itself, an operator character, which is never followed by another "*".
std::string insertMultiplications(const std::string& t) {
    std::string r;
    r.reserve(t.size() + t.size() / 2);
    bool decision = false;
    for (std::size_t k = 0; k < t.size(); ++k) {
        r += t[k];
        if (k + 1 >= t.size()) break;
        decision = multiplicationBetween(t[k], t[k + 1], decision);
        if (decision) {
            r += '*';
            decision = multiplicationBetween('*', t[k + 1], decision);
        }
    }
    return r;
}

} // namespace

TFormulaTrans::TFormulaTrans() {
    buildTables();
}

void TFormulaTrans::buildTables() {
    auto names = formulaNames();
    for (std::size_t i = 0; i < TableSize; ++i) {
        if (i < names.size()) {
            userNames_[i] = names[i].userName;
            parserNames_[i] = names[i].parser(Degrees);
            inverseNames_[i] = names[i].inverse(Degrees);
        } else {
            userNames_[i].clear();
            parserNames_[i].clear();
            inverseNames_[i].clear();
        }
    }
}

TTranslation translateFormula(const std::string& text, const TTranslateOptions& options) {
    TFormulaTrans work;
    work.Degrees = options.Degrees;
    work.Implicit_simple_sort = options.Implicit_simple_sort;
    work.DecimalSeparator = options.DecimalSeparator;
    work.ThousandSeparator = options.ThousandSeparator;
    work.Instring = text;
    work.translateHere();
    TTranslation r;
    r.Outstring = std::move(work.Outstring);
    r.Relation = work.relation_;
    if (r.Relation) {
        r.ycount = work.ycount;
        r.SolvedForY = work.SolvedForY;
        r.Root = work.Root;
        r.SecondFn = std::move(work.SecondFn);
    }
    return r;
}

void TFormulaTrans::Translate() {
    TTranslation r = translateFormula(Instring, options());
    Outstring = std::move(r.Outstring);
    buildTables(); // the tables reflect the last Degrees translated with
    if (!r.Relation) return;
    ycount = r.ycount;
    SolvedForY = r.SolvedForY;
    if (r.Root) {
        Root = true;
        SecondFn = std::move(r.SecondFn);
    }
}

void TFormulaTrans::translateHere() {
    buildTables();
    relation_ = false;
    std::string t = asciiLower(Instring);
    if (ThousandSeparator != '\0') t = deleteAll(t, std::string(1, ThousandSeparator));
    if (DecimalSeparator == ',') t = replaceFirst(t, ",", ".");
    t = deleteAll(t, " ");
    if (t.find_first_of("=<>") != std::string::npos) t = relationStep(t);
    t = insertZeroAfterOpenMinus("(" + t + ")");
    primeStep(t);
    if (t.find('!') != std::string::npos) factorialStep(t);
    replaceNames(t);
    xRule(t);
    superscripts(t);
    absoluteBars(t);
    Outstring = insertMultiplications(t);
}

std::string TFormulaTrans::relationStep(const std::string& t) {
    relation_ = true;
    ycount = 0;
    for (char c : t)
        if (c == 'y') ++ycount;
    if (ycount > 1 || Implicit_simple_sort) {
        SolvedForY = false;
        auto eq = t.find('=');
        if (eq == std::string::npos) return "-(" + t + ")";
        return t.substr(0, eq) + "-(" + t.substr(eq + 1) + ")";
    }
    return IsolateY(t);
}

/// Each name of the table, in order, becomes its evaluator name. A name typed without a bracket
/// gets one: it closes after the next character and the operand characters that follow it, so
/// sin2x becomes SIN(2x) and sin-x+1 becomes SIN(-x)+1.
void TFormulaTrans::replaceNames(std::string& t) const {
    for (std::size_t i = 0; i < NameCount; ++i) {
        const std::string& name = userNames_[i];
        if (name.empty()) continue;
        // Each replacement removes one lower-case occurrence and makes none, so this ends.
        for (auto p = t.find(name); p != std::string::npos; p = t.find(name)) {
            std::string after = t.substr(p + name.size());
            bool owed = after.empty() || after[0] != '(';
            t = t.substr(0, p) + parserNames_[i] + (owed ? "(" : "") + after;
            if (!owed) continue;
            std::size_t k = p;
            while (k < t.size() && isNameStartChar(t[k]))
                ++k;
            if (k < t.size()) ++k;
            while (k < t.size() && isOperandChar(t[k]))
                ++k;
            t.insert(k, ")");
        }
    }
}

} // namespace kurvo
