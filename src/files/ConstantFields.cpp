// The constants editor's rules.
#include "ConstantFields.h"

#include "Errors.h"
#include "NumberText.h"

#include <cstring>

namespace kurvo {

std::optional<std::size_t> constantIndex(char letter) {
    if (letter == '\0') return std::nullopt;
    const char* found = std::strchr(TSettingsRecord::ConstantLetters, letter);
    if (found == nullptr) return std::nullopt;
    return static_cast<std::size_t>(found - TSettingsRecord::ConstantLetters);
}

bool isReadOnlyConstant(std::size_t index) {
    return index == *constantIndex('e') || index == *constantIndex('p');
}

TConstantTexts constantFieldTexts(const TSettingsRecord& settings) {
    TConstantTexts texts;
    for (std::size_t k = 0; k < ConstantCount; ++k)
        texts[k] = formatGeneral(settings.ConstantValues[k]);
    return texts;
}

std::string constantFieldRule(std::string_view text) {
    if (text.empty() || text == "0") return "1";
    return std::string(text);
}

TConstantsEdit readConstantFields(const TConstantTexts& texts, const TSettingsRecord& settings,
                                  char decimalSeparator) {
    TConstantsEdit edit;
    edit.values = settings.ConstantValues;
    // Every field gets the rule before any is read, so the fields show "1" even when a later field
    // turns out to be bad.
    for (std::size_t k = 0; k < ConstantCount; ++k)
        edit.texts[k] =
            isReadOnlyConstant(k) ? formatGeneral(settings.ConstantValues[k]) : constantFieldRule(texts[k]);
    TConstantValues values = settings.ConstantValues;
    for (std::size_t k = 0; k < ConstantCount; ++k) {
        // e and p are not read back from their fields: the field shows 15 digits, and reading that
        // text back would round the stored value each time OK is pressed.
        if (isReadOnlyConstant(k)) continue;
        try {
            values[k] = strToFloat(edit.texts[k], decimalSeparator);
        } catch (const EConvertError& e) {
            edit.error = TFieldError{k, e.what()};
            return edit;
        }
    }
    edit.values = values;
    return edit;
}

TConstantsEdit applyConstantFields(TSettingsRecord& settings, const TConstantTexts& texts,
                                   char decimalSeparator) {
    TConstantsEdit edit = readConstantFields(texts, settings, decimalSeparator);
    if (edit.ok()) settings.ConstantValues = edit.values;
    return edit;
}

} // namespace kurvo
