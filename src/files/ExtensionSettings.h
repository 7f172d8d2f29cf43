// TExtensionSettings: the options the settings record has no room for, kept in an INI file beside it.
#pragma once

#include <filesystem>

namespace kurvo {

class TDataSource;

/// Options of the drawing beyond the settings record. They live in the data folder's INI file
/// `kurvo.ini`; a missing file, a damaged file or an unreadable value gives the default.
struct TExtensionSettings {
    /// General relations F(x, y) = 0 are traced as contours (true) or searched row by row (false).
    bool smoothImplicitCurves = true;
    /// Curves are drawn antialiased; grid, axes, ticks and dots stay crisp either way.
    bool antialiasedCurves = true;
    /// A legend box names each graph's formula beside a line in its colour.
    bool showLegend = false;
    /// The window shows its list of graphs.
    bool showGraphList = false;

    bool operator==(const TExtensionSettings&) const = default;
};

namespace datafile {
inline constexpr const char* Extension = "kurvo.ini";
}

/// Reads the options from an INI file. Never fails: what cannot be read is the default.
TExtensionSettings readExtensionSettings(const std::filesystem::path& file);
/// Writes the options into an INI file atomically (a temporary file renamed over the old one),
/// keeping every other key of the file. Raises EInOutError naming the file when it cannot.
void writeExtensionSettings(const std::filesystem::path& file, const TExtensionSettings& options);

/// The data source's options: its folder's INI file, or the defaults for a source in memory.
TExtensionSettings readExtensionSettings(const TDataSource& data);
/// Stores the options in the data source's folder; a source in memory keeps nothing on disk.
void writeExtensionSettings(TDataSource& data, const TExtensionSettings& options);

} // namespace kurvo
