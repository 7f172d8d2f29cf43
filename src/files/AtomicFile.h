// Whole-file reading and crash-safe whole-file writing, with failures reported as EInOutError.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kurvo {

/// Reads the whole file as bytes. Raises EInOutError ("Cannot read FILE: reason") when it cannot.
std::string readFileBytes(const std::filesystem::path& file);

/// Writes the bytes to a new temporary file in the same folder, flushes it to disk and renames it
/// over `file`, so readers see either the old or the new contents, never a part. On failure the
/// temporary file is removed, the old file is left as it was, and EInOutError
/// ("Cannot write FILE: reason") is raised. An existing file keeps its permission bits.
void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

} // namespace kurvo
