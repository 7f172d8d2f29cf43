// The Open command's file choice: what a chosen file name means, and reading the chosen file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kurvo {

/// What the Open command does with a file, decided by the last three characters of its name,
/// compared with letter case: "kvo" is a graph file, "sid", "csv", "tsv" and "txt" are data-set
/// files; anything else (including "KVO" or "CSV") is none of them.
enum class TFileKind { GraphFile, Sid, Csv, Tsv, Txt, Unknown };

TFileKind openFileKind(std::string_view fileName);

/// True for the kinds the data-set readers take.
bool isDataSetFileKind(TFileKind kind);

/// Files larger than this are refused before they are read: a graph or data-set file of that size
/// is not one, and reading it whole would exhaust memory.
inline constexpr std::uintmax_t MaxOpenFileBytes = std::uintmax_t{64} << 20;

/// Reads a file the user chose to open. Raises EInOutError naming the file when it cannot be read
/// or is larger than MaxOpenFileBytes.
std::string readOpenedFile(const std::filesystem::path& file);

} // namespace kurvo
