// The text a numeric label shows for its value: the display formats and the overflow indicator.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kurvo {

/// How a numeric label writes its value.
enum TDisplayType {
    dtFloat,   ///< general format, `Precision` significant digits, trailing zeros removed
    dtFixP,    ///< fixed, `Precision` decimals
    dtExp,     ///< scientific, `Precision` decimals
    dtHex,     ///< nearest integer in hexadecimal, at most the last `Precision` (≤ 8) digits
    dtZeroInt, ///< nearest integer, zero-padded to `Precision` digits
    dtInt,     ///< fixed, no decimals
};

/// The formatting properties of a numeric label; the defaults are those of the statistics labels.
struct TNumLabFormat {
    TDisplayType DisplayType = dtFloat;
    int Precision = 8;
    int LabelWidth = 80; ///< width of the value box in pixels
    bool Empty = false;  ///< when set, no value is shown
    std::string OverflowIndicator = "*********";
};

/// Pixels of frame and margin inside the value box: a text wider than LabelWidth minus this does
/// not fit, and the label is this much taller than its font's text height.
inline constexpr int NumLabFramePixels = 6;

/// Longest caption or overflow indicator a numeric label holds.
inline constexpr std::size_t NumLabMaxText = 50;

/// The value written in the display type, or nullopt when it cannot be written: dtHex and
/// dtZeroInt take values from −2147483648 to 2147483647 only. Infinite and undefined values are
/// written "INF", "-INF" and "NAN" in the other types.
std::optional<std::string> formatNumLabValue(double value, TDisplayType type, int precision);

/// What the label shows: nothing when Empty; the overflow indicator when the value cannot be
/// written or its text is wider than LabelWidth − NumLabFramePixels by `textWidth` (pixels of a
/// text in the label's font); otherwise the value's text.
std::string numLabDisplayText(double value, const TNumLabFormat& format,
                              const std::function<int(std::string_view)>& textWidth);

} // namespace kurvo
