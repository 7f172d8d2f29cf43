// Small text helpers shared by the translator, the main window and the editors.
#include "TextHelpers.h"

#include <algorithm>

namespace kurvo {

namespace {
std::string before(std::string_view s, char c) {
    auto p = s.find(c);
    return p == std::string_view::npos ? std::string() : std::string(s.substr(0, p));
}
std::string after(std::string_view s, char c) {
    auto p = s.find(c);
    return p == std::string_view::npos ? std::string() : std::string(s.substr(p + 1));
}
} // namespace

std::string textBeforeColon(std::string_view s) {
    return before(s, ':');
}
std::string textAfterColon(std::string_view s) {
    return after(s, ':');
}
std::string textBeforeComma(std::string_view s) {
    return before(s, ',');
}
std::string textAfterComma(std::string_view s) {
    return after(s, ',');
}

std::string replaceFirst(std::string_view s, std::string_view what, std::string_view with) {
    std::string r(s);
    if (what.empty()) return r;
    auto p = r.find(what);
    if (p != std::string::npos) r.replace(p, what.size(), with);
    return r;
}

std::string deleteAll(std::string_view s, std::string_view what) {
    if (what.empty()) return std::string(s);
    std::string r;
    r.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, what.size(), what) == 0) {
            i += what.size();
        } else {
            r += s[i++];
        }
    }
    return r;
}

std::string leftStr(std::string_view s, std::size_t n) {
    return std::string(s.substr(0, n));
}

std::string rightStr(std::string_view s, std::size_t n) {
    return n >= s.size() ? std::string(s) : std::string(s.substr(s.size() - n));
}

std::size_t textPos(std::string_view what, std::string_view s) {
    auto p = s.find(what);
    return p == std::string_view::npos ? 0 : p + 1;
}

TCaretText insertAtCaret(std::string_view text, std::size_t caret, std::string_view what) {
    caret = std::min(caret, text.size());
    TCaretText result;
    result.text.reserve(text.size() + what.size());
    result.text.append(text.substr(0, caret)).append(what).append(text.substr(caret));
    result.caret = caret + what.size();
    return result;
}

} // namespace kurvo
