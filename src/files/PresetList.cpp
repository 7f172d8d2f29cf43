// The formulae editor's rules.
#include "PresetList.h"

namespace kurvo {

std::vector<std::string> readPresetList(const TDataSource& data, const TSettingsRecord& mode) {
    return data.readLines(presetListName(mode));
}

std::vector<std::string> presetLinesFromText(std::string_view text) {
    return splitLines(text);
}

std::string presetTextFromLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) text += '\n';
        text += lines[k];
    }
    return text;
}

TPresetList savePresetList(TDataSource& data, const TSettingsRecord& mode,
                           const std::vector<std::string>& lines) {
    const char* name = presetListName(mode);
    data.writeLines(name, lines);
    TPresetList list;
    list.items = data.readLines(name);
    if (!list.items.empty()) list.formulaText = list.items.front();
    return list;
}

} // namespace kurvo
