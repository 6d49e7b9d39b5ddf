#pragma once

#include "ConsoleFont.h"
#include "ScreenPainter.h"
#include "Transcript.h"
#include "VirtualDisplay.h"

#include <cstdint>
#include <string>

// Shows the virtual display's screen: a "screen" entry in the transcript
// and, when asked for, the text file and the PNG picture, each written
// whole under another name and renamed, so a reader never sees half a
// picture; the entry comes last, so a reader waiting for it finds the files
// in place. Only a screen that changed since it was last shown is shown again.
class CScreenOutput
{
public:
    CScreenOutput(const CVirtualDisplay& display, CTranscript& transcript, std::string strTextPath,
                  std::string strPngPath, const CConsoleFont* pFont);

    void Update();

private:
    bool WriteWhole(const std::string& strPath, const void* pData, std::size_t nCount);

    const CVirtualDisplay& m_display;
    CTranscript& m_transcript;
    std::string m_strTextPath;
    std::string m_strPngPath;
    CScreenPainter m_painter;
    std::uint64_t m_nShown = ~std::uint64_t{0};
};
