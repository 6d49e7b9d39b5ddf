#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Files the font commands write appear whole or not at all: the bytes go
// to a temporary file in the target's folder, which is renamed over the
// target once complete and removed when anything fails.
bool WriteFileWhole(const std::string& strPath, std::span<const std::uint8_t> bytes,
                    std::string& strError);

// A whole file of at most nMaxBytes; the error names the file.
std::optional<std::vector<std::uint8_t>>
ReadFileWhole(const std::string& strPath, std::size_t nMaxBytes, std::string& strError);
