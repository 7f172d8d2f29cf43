// The text a numeric label shows for its value: the display formats and the overflow indicator.
#include "NumLabText.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace kurvo {

namespace {

std::string printfText(const char* format, int precision, double value) {
    int size = std::snprintf(nullptr, 0, format, precision, value);
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, precision, value);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

std::string nonFiniteText(double value) {
    if (std::isnan(value)) return "NAN";
    return value > 0 ? "INF" : "-INF";
}

/// The nearest 32-bit integer (halves away from zero), or nullopt outside the 32-bit range.
std::optional<std::int32_t> nearestInt32(double value) {
    if (!(value >= -2147483648.0 && value <= 2147483647.0)) return std::nullopt; // NaN too
    return static_cast<std::int32_t>(std::round(value));
}

} // namespace

std::optional<std::string> formatNumLabValue(double value, TDisplayType type, int precision) {
    precision = std::clamp(precision, 0, 100); // beyond 100 digits no label can show the text anyway
    switch (type) {
    case dtHex: {
        auto n = nearestInt32(value);
        if (!n) return std::nullopt;
        // At most 8 digits, and at least one: a zero precision would write 0 as no digits at all.
        int digits = std::clamp(precision, 1, 8);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.*x", digits, static_cast<unsigned>(static_cast<std::uint32_t>(*n)));
        std::string text(buf);
        if (text.size() > static_cast<std::size_t>(digits)) text.erase(0, text.size() - digits);
        return text;
    }
    case dtZeroInt: {
        auto n = nearestInt32(value);
        if (!n) return std::nullopt;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*d", std::min(precision, 40), static_cast<int>(*n));
        return std::string(buf);
    }
    default:
        break;
    }
    if (!std::isfinite(value)) return nonFiniteText(value);
    switch (type) {
    case dtFloat:
        return formatGeneral(value, std::min(precision, 17));
    case dtFixP:
        return printfText("%.*f", precision, value);
    case dtExp:
        return printfText("%.*e", precision, value);
    case dtInt:
        return printfText("%.*f", 0, value);
    default:
        return std::nullopt;
    }
}

std::string numLabDisplayText(double value, const TNumLabFormat& format,
                              const std::function<int(std::string_view)>& textWidth) {
    if (format.Empty) return {};
    std::string overflow = format.OverflowIndicator.substr(0, NumLabMaxText);
    auto text = formatNumLabValue(value, format.DisplayType, format.Precision);
    if (!text || textWidth(*text) > format.LabelWidth - NumLabFramePixels) return overflow;
    return *text;
}

} // namespace kurvo
