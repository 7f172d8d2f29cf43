// The number separators of the user's locale, as the window takes them from the system.
#include "SystemLocale.h"

#include "Cp1252.h"

#include <clocale>
#include <string>

namespace kurvo {

namespace {
char singleByte(const char* utf8) {
    std::string s = utf8ToCp1252(utf8 ? utf8 : "");
    return s.size() == 1 && s != "?" ? s[0] : '\0';
}
} // namespace

NumberSeparators systemNumberSeparators() {
    // Switch LC_NUMERIC to the environment's locale only while reading it: everything else in the
    // program formats numbers with "." whatever the locale says.
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = current ? current : "C";
    NumberSeparators result;
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const std::lconv* lc = std::localeconv();
        result.decimal = singleByte(lc->decimal_point);
        result.thousands = singleByte(lc->thousands_sep);
        if (result.decimal == '\0') result.decimal = '.';
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    return result;
}

} // namespace kurvo
