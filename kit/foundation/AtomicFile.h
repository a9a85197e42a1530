#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace kit {

// Replaces the file at path with bytes so that a reader, or a process killed
// at any moment, sees either the old file or the new one whole: the bytes go
// to a temporary file in the same folder, are flushed to disk, and the
// temporary is renamed over the path. Answers whether the new file is in
// place; on failure the temporary is removed and the old file is untouched.
bool writeFileAtomically(const std::filesystem::path&, std::span<const uint8_t> bytes);

// Writes in place, without the temporary (the non-atomic option).
bool writeFileDirectly(const std::filesystem::path&, std::span<const uint8_t> bytes);

// The whole file, or nothing when it is missing, unreadable, not a regular
// file, or larger than maximumBytes (which is refused before reading).
std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path&, size_t maximumBytes);

}
