#pragma once

#include <cstddef>
#include <string>

// The menu label of entry nIndex (0 for the first) of the recent-file list:
// "&1 " and the path, shortened to about nMaxLength characters by leaving
// out folders in the middle ("/home/ann/.../fonts/vfd.fnt"); the file name
// itself is never cut. An '&' of the path is shown as one, not taken as a
// mnemonic.
std::string RecentFileLabel(std::size_t nIndex, const std::string& strPath,
                            std::size_t nMaxLength = 30);

// strPath shortened as in RecentFileLabel, without the number.
std::string AbbreviatePath(const std::string& strPath, std::size_t nMaxLength);
