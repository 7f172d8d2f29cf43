// Conversion between UTF-8 (command line, widgets, files named by the user) and the engine's Windows-1252
// text.
#pragma once

#include <string>
#include <string_view>

namespace kurvo {

/// UTF-8 to Windows-1252; characters the code page lacks become "?", except π, which becomes the
/// constant letter "p", and √, which becomes "sqrt", so formulas may be typed with them. Invalid
/// UTF-8 bytes are taken as Windows-1252 bytes already.
std::string utf8ToCp1252(std::string_view utf8);

/// Windows-1252 to UTF-8; the five unassigned bytes map to the C1 control characters.
std::string cp1252ToUtf8(std::string_view text);

} // namespace kurvo
