// The constants editor's rules: the sixteen fields as shown, the "0" rule, and reading the fields
// back into the settings record.
#pragma once

#include "SettingsRecord.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kurvo {

inline constexpr std::size_t ConstantCount = TSettingsRecord::ConstantCount;
/// One text per constant, in the order a, b, c, d, e, m, n, o, p, q, r, s, u, v, w, z.
using TConstantTexts = std::array<std::string, ConstantCount>;
using TConstantValues = std::array<long double, ConstantCount>;

/// A field of an editor whose text cannot be used.
struct TFieldError {
    std::size_t field = 0; ///< which field; each editor says how its fields are numbered
    std::string message;   ///< ready for a message box
    friend bool operator==(const TFieldError&, const TFieldError&) = default;
};

/// The index of a constant's letter in ConstantLetters, or nothing for any other character.
std::optional<std::size_t> constantIndex(char letter);

/// e and p are shown but never edited: the editor neither lets them be typed nor stores them.
bool isReadOnlyConstant(std::size_t index);

/// The fields' texts when the editor is created: each constant as general number text.
TConstantTexts constantFieldTexts(const TSettingsRecord& settings);

/// The rule applied to every editable field before it is read: an empty text and the text "0"
/// become "1" (zero can still be typed as 0.0 or 0e0); any other text is kept as it is.
std::string constantFieldRule(std::string_view text);

/// What the editor's OK makes of the fields. Fields are numbered 0..15 in the constants' order.
struct TConstantsEdit {
    /// The texts to show in the fields afterwards: the "0" rule applied to the editable fields,
    /// e and p showing the values they keep.
    TConstantTexts texts;
    /// The constants to store: the editable fields' numbers, e and p unchanged. When a field is not
    /// a number these are the record's values, unchanged.
    TConstantValues values{};
    /// The first editable field that is not a decimal number ("'%s' is not a valid floating point
    /// value", %s its text).
    std::optional<TFieldError> error;
    bool ok() const { return !error; }
};

/// Reads the fields without changing anything. `decimalSeparator` is the system's decimal point.
TConstantsEdit readConstantFields(const TConstantTexts& texts, const TSettingsRecord& settings,
                                  char decimalSeparator = '.');

/// OK of the constants editor: reads the fields and, only when every editable field is a number,
/// stores all sixteen values in settings.ConstantValues at once (a bad field changes no constant).
/// New values reach the parsers when a formula is next stored for plotting.
TConstantsEdit applyConstantFields(TSettingsRecord& settings, const TConstantTexts& texts,
                                   char decimalSeparator = '.');

} // namespace kurvo
