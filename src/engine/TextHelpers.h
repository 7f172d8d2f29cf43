// Small text helpers shared by the translator, the main window and the editors.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kurvo {

/// The text before the first ":"; empty when there is no ":".
std::string textBeforeColon(std::string_view s);
/// The text after the first ":"; empty when there is no ":".
std::string textAfterColon(std::string_view s);
/// The text before the first ","; empty when there is no ",".
std::string textBeforeComma(std::string_view s);
/// The text after the first ","; empty when there is no ",".
std::string textAfterComma(std::string_view s);

/// s with the first occurrence of `what` replaced by `with` (s unchanged when `what` is absent or empty).
std::string replaceFirst(std::string_view s, std::string_view what, std::string_view with);
/// s with every occurrence of `what` deleted (s unchanged when `what` is empty).
std::string deleteAll(std::string_view s, std::string_view what);

/// The leftmost n characters (all of s when it is shorter).
std::string leftStr(std::string_view s, std::size_t n);
/// The rightmost n characters (all of s when it is shorter).
std::string rightStr(std::string_view s, std::size_t n);

/// Position of the first occurrence of `what` in s, counted from 1; 0 when it does not occur.
std::size_t textPos(std::string_view what, std::string_view s);

/// A text with its caret (the number of characters before it).
struct TCaretText {
    std::string text;
    std::size_t caret = 0;
    friend bool operator==(const TCaretText&, const TCaretText&) = default;
};

/// The text before the caret, `what`, then the text after the caret, with the caret after `what`;
/// a caret beyond the end stands at the end. Used by the editors' "²" and "³" buttons, whatever the
/// length of the text.
TCaretText insertAtCaret(std::string_view text, std::size_t caret, std::string_view what);

} // namespace kurvo
