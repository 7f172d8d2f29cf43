// Conversion between UTF-8 and Windows-1252.
#include "Cp1252.h"

#include <cstdint>

namespace kurvo {
namespace {
// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::uint16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Mathematical symbols a formula may be typed with that the code page lacks, and the formula text
// that means the same: π is the constant p (whose value is π) and √ the square root, so "2π" and
// "√(x+1)" translate like "2p" and "sqrt(x+1)".
struct Symbol {
    char32_t cp;
    const char* text;
};
constexpr Symbol Symbols[] = {
    {0x03C0, "p"},    // π
    {0x221A, "sqrt"}, // √
};

void appendCp1252(std::string& out, char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out += static_cast<char>(cp);
        return;
    }
    for (int i = 0; i < 32; ++i)
        if (High[i] == cp) {
            out += static_cast<char>(0x80 + i);
            return;
        }
    for (const auto& s : Symbols)
        if (s.cp == cp) {
            out += s.text;
            return;
        }
    out += '?';
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
} // namespace

std::string utf8ToCp1252(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        auto b = static_cast<unsigned char>(in[i]);
        int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= in.size()) {
            out += static_cast<char>(b); // plain ASCII, or a byte that starts no sequence
            ++i;
            continue;
        }
        char32_t cp = b & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            auto c = static_cast<unsigned char>(in[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        appendCp1252(out, cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string cp1252ToUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size() + in.size() / 4);
    for (char ch : in) {
        auto b = static_cast<unsigned char>(ch);
        char32_t cp = b >= 0x80 && b < 0xA0 ? High[b - 0x80] : b;
        appendUtf8(out, cp);
    }
    return out;
}

} // namespace kurvo
