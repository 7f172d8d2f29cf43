// TExtensionSettings: reading and writing the data folder's INI file of options.
#include "ExtensionSettings.h"

#include "AtomicFile.h"
#include "DataSource.h"
#include "Errors.h"

#include <QSettings>
#include <QTemporaryFile>

#include <optional>

namespace kurvo {
namespace {

constexpr const char* SmoothKey = "Plot/SmoothImplicitCurves";
constexpr const char* AntialiasKey = "Plot/AntialiasedCurves";
constexpr const char* LegendKey = "Plot/ShowLegend";
constexpr const char* GraphListKey = "Window/ShowGraphList";

/// "true"/"false" (and "1"/"0") in any case; anything else is no value.
std::optional<bool> boolValue(const QSettings& ini, const char* key) {
    const QVariant v = ini.value(QString::fromLatin1(key));
    if (!v.isValid()) return std::nullopt;
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) return true;
    if (text == QLatin1String("false") || text == QLatin1String("0")) return false;
    return std::nullopt;
}

QString qPath(const std::filesystem::path& file) {
    return QString::fromStdString(file.string());
}

} // namespace

TExtensionSettings readExtensionSettings(const std::filesystem::path& file) {
    TExtensionSettings options;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return options;
    QSettings ini(qPath(file), QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) return options;
    if (auto v = boolValue(ini, SmoothKey)) options.smoothImplicitCurves = *v;
    if (auto v = boolValue(ini, AntialiasKey)) options.antialiasedCurves = *v;
    if (auto v = boolValue(ini, LegendKey)) options.showLegend = *v;
    if (auto v = boolValue(ini, GraphListKey)) options.showGraphList = *v;
    return options;
}

void writeExtensionSettings(const std::filesystem::path& file, const TExtensionSettings& options) {
    // QSettings composes the text in a scratch file that starts as a copy of the old file, so keys
    // of other options survive; the result then replaces the file in one atomic rename.
    QTemporaryFile scratch;
    if (!scratch.open()) throw EInOutError("Cannot write " + file.string() + ": no temporary file");
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) {
        std::string old = readFileBytes(file);
        {
            QSettings check(qPath(file), QSettings::IniFormat);
            if (check.status() != QSettings::NoError) old.clear(); // a damaged file starts afresh
        }
        scratch.write(old.data(), static_cast<qint64>(old.size()));
    }
    scratch.close();
    {
        QSettings ini(scratch.fileName(), QSettings::IniFormat);
        ini.setValue(QString::fromLatin1(SmoothKey), options.smoothImplicitCurves);
        ini.setValue(QString::fromLatin1(AntialiasKey), options.antialiasedCurves);
        ini.setValue(QString::fromLatin1(LegendKey), options.showLegend);
        ini.setValue(QString::fromLatin1(GraphListKey), options.showGraphList);
        ini.sync();
        if (ini.status() != QSettings::NoError)
            throw EInOutError("Cannot write " + file.string() + ": the options could not be composed");
    }
    writeFileAtomically(file, readFileBytes(scratch.fileName().toStdString()));
}

TExtensionSettings readExtensionSettings(const TDataSource& data) {
    if (const DataFolder* folder = data.folder())
        return readExtensionSettings(folder->find(datafile::Extension));
    return {};
}

void writeExtensionSettings(TDataSource& data, const TExtensionSettings& options) {
    if (const DataFolder* folder = data.folder())
        writeExtensionSettings(folder->find(datafile::Extension), options);
}

} // namespace kurvo
