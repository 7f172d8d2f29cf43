// Fuzz target: any bytes read as a graph file either give a complete drawing or one error naming
// a line of the file; a drawing that was read writes back to a file that reads to the same bytes.
#include "DataFolder.h"
#include "DataSetStore.h"
#include "Defaults.h"
#include "FuzzRequire.h"
#include "GraphFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The first lines of a valid file, so mutations reach the formula and data-set sections too.
std::string validPrefix(std::size_t lines) {
    static const std::string text = [] {
        kurvo::TGraphFile g;
        g.settings = kurvo::defaultSettings();
        g.formulas = {"x^2", "sin(x)"};
        return kurvo::encodeGraphFile(g);
    }();
    std::size_t at = 0;
    for (std::size_t i = 0; i < lines && at != std::string::npos; ++i) {
        at = text.find('\n', at);
        if (at != std::string::npos) ++at;
    }
    return at == std::string::npos ? text : text.substr(0, at);
}

} // namespace

using kurvo::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kurvo;
    if (size < 2) return 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    std::string bytes = data[0] & 1 ? validPrefix(data[1] % 170) + std::string(rest) : std::string(rest);

    TGraphFileRead read;
    try {
        read = decodeGraphFile(bytes, "f.kvo");
    } catch (const EGraphFileError& e) {
        require(e.line() >= 1 && e.file() == "f.kvo");
        // The line named is one of the file's, or the one after its last.
        std::size_t lines = splitLines(bytes).size();
        require(static_cast<std::size_t>(e.line()) <= lines + 1);
        return 0;
    }
    require(read.graph.formulas.size() <= GraphFileMaxFormulas);
    for (const auto& formula : read.graph.formulas)
        require(formula.size() <= 255);
    TDataSetStore store;
    require(store.appendLines(read.graph.dataSetLines).empty());
    require(store.lines() == read.graph.dataSetLines);
    for (const auto& rejected : read.rejected)
        require(rejected.lineNumber > static_cast<int>(GraphFileFixedLines));

    std::string once = encodeGraphFile(read.graph);
    TGraphFileRead again = decodeGraphFile(once, "f.kvo");
    require(again.rejected.empty() && again.droppedFormulas == 0);
    require(encodeGraphFile(again.graph) == once);
    return 0;
}
