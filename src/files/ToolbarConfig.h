// The toolbar configuration record (data/tbrcfg.dat, 45 bytes) and its codec.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace kurvo {

/// Which of the 43 toolbar items exist, and two display options.
struct TToolbarConfig {
    static constexpr std::size_t Size = 45;
    static constexpr std::size_t ItemCount = 43;

    bool flatButtons = false;            ///< "Use flat pop up buttons"
    bool linesBetweenToolbars = false;   ///< "Place lines between the toolbars"
    std::array<bool, ItemCount> items{}; ///< item i is checked

    friend bool operator==(const TToolbarConfig&, const TToolbarConfig&) = default;
};

/// Decodes TToolbarConfig::Size bytes. Only the byte value 1 counts as checked (or on).
TToolbarConfig decodeToolbarConfig(const std::uint8_t* bytes);

/// Encodes the record as TToolbarConfig::Size bytes of 0 and 1.
std::string encodeToolbarConfig(const TToolbarConfig& config);

/// Reads data/tbrcfg.dat; a file shorter than one record raises EInOutError, extra bytes are ignored.
TToolbarConfig readToolbarConfigFile(const std::filesystem::path& file);

/// Writes the record atomically (see writeFileAtomically).
void writeToolbarConfigFile(const std::filesystem::path& file, const TToolbarConfig& config);

} // namespace kurvo
