#pragma once

#include <string>

#include <wx/string.h>

// The logic's strings are UTF-8; wx holds them as wxString. A string that is
// not valid UTF-8 is read byte for byte (Latin-1) rather than lost.
wxString ToWx(const std::string& strText);
std::string FromWx(const wxString& strText);

// File names in the file system's own encoding, as the logic opens them.
wxString PathToWx(const std::string& strPath);
std::string PathFromWx(const wxString& strPath);
