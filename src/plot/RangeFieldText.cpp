// The text a range field shows after its expression was evaluated.
#include "RangeFieldText.h"

#include "NumberText.h"

#include <cstdio>

namespace kurvo {

namespace {
int significantDigits(const std::string& text) {
    int n = 0;
    bool leading = true;
    for (char c : text) {
        if (c == 'E') break;
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++n;
    }
    return n;
}
} // namespace

/// Scientific text with the given significant digits, without trailing zeros: 1.235E-5.
std::string scientificText(long double value, int digits) {
    std::string g = formatGeneral(value, digits);
    if (g.find('E') != std::string::npos) return g;
    std::string s = scientificCText(value, digits - 1);
    auto e = s.find('e');
    std::string mantissa = s.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    return mantissa + "E" + std::to_string(std::stoi(s.substr(e + 1)));
}

std::string rangeFieldText(long double value) {
    std::string s = formatGeneral(value);
    if (s.size() <= 8) return s;
    // The most precise text that fits in 8 characters, general or scientific.
    std::string best;
    for (int digits = 14; digits >= 1 && best.empty(); --digits) {
        std::string g = formatGeneral(value, digits), e = scientificText(value, digits);
        if (g.size() <= 8) best = g;
        if (e.size() <= 8 && (best.empty() || significantDigits(e) > significantDigits(best))) best = e;
    }
    if (best.empty()) best = s;
    // Cutting to 8 characters is kept where it only drops fraction digits and keeps as many
    // significant digits as the best fitting text; otherwise (1.23456789E-5 would become 1.234567,
    // 123456789 would become 12345678) the best fitting text is written.
    auto point = s.find('.');
    bool scientific = s.find('E') != std::string::npos;
    if (!scientific && point != std::string::npos && point <= 8) {
        std::string cut = s.substr(0, 8);
        if (cut.back() == '.') cut.pop_back();
        if (significantDigits(cut) >= significantDigits(best)) return cut;
    }
    return best;
}

} // namespace kurvo
