// The toolbar configuration record: one byte per option and per toolbar item.
#include "ToolbarConfig.h"

#include "AtomicFile.h"

namespace kurvo {

TToolbarConfig decodeToolbarConfig(const std::uint8_t* bytes) {
    TToolbarConfig c;
    c.flatButtons = bytes[0] == 1;
    c.linesBetweenToolbars = bytes[1] == 1;
    for (std::size_t i = 0; i < TToolbarConfig::ItemCount; ++i)
        c.items[i] = bytes[2 + i] == 1;
    return c;
}

std::string encodeToolbarConfig(const TToolbarConfig& config) {
    std::string out(TToolbarConfig::Size, '\0');
    out[0] = config.flatButtons ? 1 : 0;
    out[1] = config.linesBetweenToolbars ? 1 : 0;
    for (std::size_t i = 0; i < TToolbarConfig::ItemCount; ++i)
        out[2 + i] = config.items[i] ? 1 : 0;
    return out;
}

TToolbarConfig readToolbarConfigFile(const std::filesystem::path& file) {
    return readRecordFile(file, TToolbarConfig::Size, "toolbar record", decodeToolbarConfig);
}

void writeToolbarConfigFile(const std::filesystem::path& file, const TToolbarConfig& config) {
    writeFileAtomically(file, encodeToolbarConfig(config));
}

} // namespace kurvo
