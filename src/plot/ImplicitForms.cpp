// The general form of a relation and the periodic-y test.
#include "ImplicitForms.h"

#include "GraphDocument.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace kurvo {

std::string generalRelationForm(const TTranslateOptions& options, const std::string& typed, int relationCode) {
    std::string t = typed;
    if (relationCode != 4) {
        // The boundary of an inequality: its sign, with or without "=", becomes the equation's "=".
        std::erase(t, '=');
        auto sign = t.find_first_of("<>");
        if (sign != std::string::npos) t[sign] = '=';
    }
    TTranslateOptions sorted = options;
    sorted.Implicit_simple_sort = true;
    return translateFormula(t, sorted).Outstring;
}

int relationCodeOf(const std::string& t) {
    int code = 4;
    if (t.find('>') != std::string::npos) code = 0;
    if (t.find('<') != std::string::npos) code = 2;
    if (t.find('=') != std::string::npos) code = 4;
    if (t.find(">=") != std::string::npos || t.find("=>") != std::string::npos) code = 1;
    if (t.find("<=") != std::string::npos || t.find("=<") != std::string::npos) code = 3;
    return code;
}

bool TGraphSlot::drawnSolved() const {
    // A relation with y inside a periodic function keeps only the principal branch when solved:
    // it is traced as F(x, y) = 0 instead.
    return ycount == 1 && SolvedForY && !hasYInsidePeriodic(GeneralForm);
}

bool hasYInsidePeriodic(const std::string& e) {
    static constexpr std::array<std::string_view, 6> Names = {"SIN", "COS", "TAN", "SEC", "COSEC", "COT"};
    static constexpr std::array<std::string_view, 4> Suffixes = {"", "SQ", "CUBE", "RAD"};
    auto isPeriodic = [&](std::string_view word) {
        for (auto n : Names)
            for (auto s : Suffixes)
                if (word.size() == n.size() + s.size() && word.substr(0, n.size()) == n &&
                    word.substr(n.size()) == s)
                    return true;
        return false;
    };
    auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t i = 0; i < e.size();) {
        if (!isLetter(e[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < e.size() && isLetter(e[end]))
            ++end;
        std::string word = e.substr(i, end - i);
        std::transform(word.begin(), word.end(), word.begin(), [](char c) { return std::toupper(c); });
        if (isPeriodic(word) && end < e.size() && e[end] == '(') {
            int depth = 0;
            std::size_t k = end;
            for (; k < e.size(); ++k) {
                if (e[k] == '(') ++depth;
                if (e[k] == ')' && --depth == 0) break;
            }
            // y as a variable of its own, not a letter of a longer name
            for (std::size_t j = end + 1; j < k && j < e.size(); ++j)
                if ((e[j] == 'Y' || e[j] == 'y') && !isLetter(e[j - 1]) &&
                    (j + 1 >= e.size() || !isLetter(e[j + 1])))
                    return true;
        }
        i = end;
    }
    return false;
}

} // namespace kurvo
