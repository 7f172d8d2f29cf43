// The Open command's file choice and the size-limited read of the chosen file.
#include "OpenFile.h"

#include "AtomicFile.h"
#include "Errors.h"

#include <system_error>

namespace kurvo {

TFileKind openFileKind(std::string_view fileName) {
    if (fileName.size() < 3) return TFileKind::Unknown;
    std::string_view last = fileName.substr(fileName.size() - 3);
    if (last == "kvo") return TFileKind::GraphFile;
    if (last == "sid") return TFileKind::Sid;
    if (last == "csv") return TFileKind::Csv;
    if (last == "tsv") return TFileKind::Tsv;
    if (last == "txt") return TFileKind::Txt;
    return TFileKind::Unknown;
}

bool isDataSetFileKind(TFileKind kind) {
    return kind == TFileKind::Sid || kind == TFileKind::Csv || kind == TFileKind::Tsv ||
           kind == TFileKind::Txt;
}

std::string readOpenedFile(const std::filesystem::path& file) {
    std::error_code ec;
    auto status = std::filesystem::status(file, ec);
    // A device or a pipe would be read without end; a missing file is left to readFileBytes, which
    // reports the system's reason.
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw EInOutError("Cannot read " + file.string() + ": not a regular file");
    std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (!ec && size > MaxOpenFileBytes)
        throw EInOutError("Cannot read " + file.string() + ": the file is larger than " +
                          std::to_string(MaxOpenFileBytes >> 20) + " MB");
    return readFileBytes(file);
}

} // namespace kurvo
