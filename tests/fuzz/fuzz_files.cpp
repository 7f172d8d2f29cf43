// Fuzz target: any bytes decode as a settings record, a toolbar record and text lists without
// crashing; re-encoding is stable, and the sanitized record is always usable.
#include "Aliases.h"
#include "DataFolder.h"
#include "Errors.h"
#include "FuzzRequire.h"
#include "SettingsRecord.h"
#include "ToolbarConfig.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using kurvo::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kurvo;
    if (size > 4096) return 0;

    // The settings record: the input, repeated to fill one record.
    std::vector<std::uint8_t> record(TSettingsRecord::Size, 0);
    for (std::size_t i = 0; size > 0 && i < record.size(); ++i)
        record[i] = data[i % size];
    TSettingsRecord settings = decodeSettings(record.data());
    std::string once = encodeSettings(settings);
    require(once.size() == TSettingsRecord::Size);
    std::string twice = encodeSettings(decodeSettings(reinterpret_cast<const std::uint8_t*>(once.data())));
    require(once == twice);
    TSanitizedSettings safe = sanitized(settings);
    const TSettingsRecord& r = safe.record;
    require(std::isfinite(r.Xmin) && std::isfinite(r.Xmax) && r.Xmin < r.Xmax);
    require(std::isfinite(r.Ymin) && std::isfinite(r.Ymax) && r.Ymin < r.Ymax);
    require(std::isfinite(r.Tmin) && std::isfinite(r.Tmax) && r.Tmin < r.Tmax);
    require(std::isfinite(r.PlotStep) && r.PlotStep > 0);
    require(r.MarkType >= 1 && r.MarkType <= 12 && r.significantFigures >= 1 && r.significantFigures <= 14);
    require(sanitized(r).replaced.empty());

    // The toolbar record.
    std::vector<std::uint8_t> toolbar(TToolbarConfig::Size, 0);
    for (std::size_t i = 0; i < toolbar.size() && i < size; ++i)
        toolbar[i] = data[i];
    TToolbarConfig config = decodeToolbarConfig(toolbar.data());
    std::string encoded = encodeToolbarConfig(config);
    require(decodeToolbarConfig(reinterpret_cast<const std::uint8_t*>(encoded.data())) == config);

    // Text lists: splitting, writing back and splitting again gives the same lines.
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = splitLines(text);
    require(splitLines(joinLines(lines)) == lines);
    (void)functionExpressionsFromLines(lines);
    (void)aliasListHasErrors(lines);
    if (!lines.empty()) (void)applyAliases(lines.front(), lines);
    try {
        (void)plotStepFromText(lines.empty() ? text : lines.front());
    } catch (const EConvertError&) {
    }
    return 0;
}
