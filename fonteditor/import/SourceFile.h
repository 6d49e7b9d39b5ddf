#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Font sources arrive plain or gzip-compressed (console fonts, X11 fonts).
// Both readers stop at a size limit, so a hostile file (a gzip bomb, a
// multi-gigabyte "font") costs bounded memory and gives a message instead.

// The bytes themselves, or what they inflate to when they are a gzip
// stream (several members are read one after another). Nothing, with the
// cause in strError, when the stream is damaged or would exceed nMaxBytes.
std::optional<std::vector<std::uint8_t>> Gunzip(std::span<const std::uint8_t> bytes,
                                                std::size_t nMaxBytes, std::string& strError);

// A whole file, inflated when compressed. The error names the file.
std::optional<std::vector<std::uint8_t>>
ReadFontSourceFile(const std::string& strPath, std::size_t nMaxBytes, std::string& strError);
