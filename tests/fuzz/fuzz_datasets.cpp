// Fuzz target: any bytes read as each kind of data-set file give store lines the store takes whole,
// ending with "#", and rejected lines that point at rows of the file; the store keeps its sets.
#include "DataSetFile.h"
#include "DataSetStore.h"
#include "FuzzRequire.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using kurvo::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kurvo;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto rows = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;

    TDataSetStore store;
    std::size_t sets = 0;
    for (TFileKind kind : {TFileKind::Sid, TFileKind::Csv, TFileKind::Tsv, TFileKind::Txt}) {
        TDataSetImport result = readDataSetText(bytes, kind, "f");
        require(!result.lines.empty() && result.lines.back() == "#");
        int previous = 0;
        for (const auto& rejected : result.rejected) {
            require(rejected.lineNumber > previous && rejected.lineNumber <= rows);
            previous = rejected.lineNumber;
            require(!rejected.message().empty());
        }
        // No empty set, unless the file gave no point at all.
        for (std::size_t i = 1; i < result.lines.size(); ++i)
            require(!(result.lines[i] == "#" && result.lines[i - 1] == "#"));
        require(result.lines.front() != "#" || result.lines.size() == 1);
        require(store.appendLines(result.lines).empty());
        sets += result.setCount();
        require(store.setCount() == sets);
    }
    std::size_t points = 0;
    for (std::size_t k = 0; k < store.setCount(); ++k)
        points += store.points(k).size();
    require(points == store.allPoints().size());
    while (!store.empty()) {
        std::size_t before = store.setCount();
        store.removeLastSet();
        require(store.setCount() == before - 1);
    }
    require(store.allPoints().empty());
    return 0;
}
