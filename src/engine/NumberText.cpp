// Number texts: the locale-independent literal format, general number text, and typed-number conversion.
#include "NumberText.h"

#include "Errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kurvo {

std::optional<double> parsePascalNumber(std::string_view t) {
    std::size_t i = 0, n = t.size();
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9')
        ++i, ++digits;
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    bool negativeExponent = false;
    if (i < n && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) negativeExponent = t[i++] == '-';
        std::size_t expDigits = 0;
        while (i < n && t[i] >= '0' && t[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;

    // from_chars wants no "+" and no bare "." in front; give it a clean copy.
    std::string clean(t.substr(mantissaStart));
    if (clean[0] == '.') clean.insert(clean.begin(), '0');
    double v = 0;
    auto [ptr, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), v);
    if (ec == std::errc::result_out_of_range) {
        if (!negativeExponent) return std::nullopt;
        v = 0;
    } else if (ec != std::errc() || ptr != clean.data() + clean.size()) {
        return std::nullopt;
    }
    return negative ? -v : v;
}

std::string formatGeneral(long double value, int significantDigits) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    if (significantDigits < 1) significantDigits = 1;
    if (significantDigits > 18) significantDigits = 18;

    // [-]d.ddddde[+-]xx
    std::string s = scientificCText(value, significantDigits - 1);
    bool negative = s[0] == '-';
    if (negative) s.erase(0, 1);
    auto ePos = s.find('e');
    int exponent = std::stoi(s.substr(ePos + 1));
    std::string digits;
    for (std::size_t k = 0; k < ePos; ++k)
        if (s[k] != '.') digits += s[k];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (exponent < -5 || exponent >= significantDigits) {
        out = digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else if (exponent < 0) {
        out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out = digits + std::string(intDigits - digits.size(), '0');
        } else {
            out = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        }
    }
    return negative ? "-" + out : out;
}

std::string scientificCText(long double value, int fractionDigits) {
    char buf[128];
    auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, std::clamp(fractionDigits, 0, 60));
    if (ec != std::errc()) return formatGeneral(value);
    return std::string(buf, end);
}

namespace {
std::string_view trimBlanks(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    return t;
}
} // namespace

double strToFloat(std::string_view text, char decimalSeparator) {
    std::string s(trimBlanks(text));
    if (decimalSeparator != '.') {
        for (char& c : s) {
            if (c == decimalSeparator)
                c = '.';
            else if (c == '.')
                c = '\x01'; // a point is not the separator here: reject it
        }
    }
    auto v = parsePascalNumber(s);
    if (!v) throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return *v;
}

int strToInt(std::string_view text) {
    std::string_view t = trimBlanks(text);
    std::string_view digits = t;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    long long v = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size() ||
        v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return static_cast<int>(v);
}

} // namespace kurvo
