#pragma once

#include "Clock.h"

#include <cstdint>
#include <functional>
#include <string>

// The editor's download protocol, without a window: a header frame, then the
// file in acknowledged frames of at most 250 bytes, 500 ms before each reply.
// The Download dialog and `vfdkit send` both run it and say the result in
// their own way.

enum class EDownloadResult
{
    Ok,
    OpenFileError, // missing, unreadable, or too long for the header's length
    OpenPortError,
    SendError,
    ReadTimeout,
    ReadPortError,
    HeaderError,
    LengthError,
    KeyError,
    CheckError,
    CommandError,
    Abort,
    ReadFileError, // the file failed to read in the middle of the transfer
};

struct CFontDownload
{
    std::string m_strPath;
    std::uint32_t m_nArea = 0; // its low 8 bits are sent
    int m_nGlyphWidth = 16;
    int m_nGlyphHeight = 16;
    int m_nPort = 1; // COM1 to COM9
};

// Called once for each frame the transfer builds: nFrame counts from 1 (the
// header) and can pass nFrames when the display asks for more after the last.
using DownloadProgress = std::function<void(int nFrame, int nFrames)>;

// The file is opened before the port; both are closed again on return. When
// the file or the port fails, *pCause (when given) gets the cause, naming
// the file or the device; otherwise it is left empty.
EDownloadResult DownloadFont(const CFontDownload& download, const DownloadProgress& progress,
                             CClock& clock = CClock::Real(), std::string* pCause = nullptr);
