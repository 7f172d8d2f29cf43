// Whole-file reading and crash-safe whole-file writing, with failures reported as EInOutError.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

/// Reads the whole file as bytes. Raises EInOutError ("Cannot read FILE: reason") when it cannot.
std::string readFileBytes(const std::filesystem::path& file);

/// Reads a file that holds one fixed-size record (`recordName`: "settings record", of
/// `recordSize` bytes). Raises EInOutError, naming both sizes, when it holds fewer bytes than that.
std::string readRecordBytes(const std::filesystem::path& file, std::size_t recordSize,
                            std::string_view recordName);

/// The record of such a file, decoded from its first `recordSize` bytes.
template <class Record>
Record readRecordFile(const std::filesystem::path& file, std::size_t recordSize, std::string_view recordName,
                      Record (*decode)(const std::uint8_t*)) {
    const std::string bytes = readRecordBytes(file, recordSize, recordName);
    return decode(reinterpret_cast<const std::uint8_t*>(bytes.data()));
}

/// The lines of `text`, as views into it: split at LF, a CR just before an LF dropped (and, when
/// `dropFinalCr`, a CR that ends an unterminated last line). A last line without line end counts;
/// an empty text has no lines.
std::vector<std::string_view> lineViews(std::string_view text, bool dropFinalCr);

/// Writes the bytes to a new temporary file in the same folder, flushes it to disk and renames it
/// over `file`, so readers see either the old or the new contents, never a part. On failure the
/// temporary file is removed, the old file is left as it was, and EInOutError
/// ("Cannot write FILE: reason") is raised. An existing file keeps its permission bits.
void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

} // namespace kurvo
