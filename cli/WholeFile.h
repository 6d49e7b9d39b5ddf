#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Files the font commands write appear whole or not at all (CAtomicFile's
// rules: read-only targets refused, links written through).
bool WriteFileWhole(const std::string& strPath, std::span<const std::uint8_t> bytes,
                    std::string& strError);

// A whole file of at most nMaxBytes; the error names the file.
std::optional<std::vector<std::uint8_t>>
ReadFileWhole(const std::string& strPath, std::size_t nMaxBytes, std::string& strError);
