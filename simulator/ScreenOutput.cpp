#include "ScreenOutput.h"

#include "AtomicFile.h"
#include "PixelCanvas.h"
#include "PngEncoder.h"
#include "ScreenText.h"

CScreenOutput::CScreenOutput(const CVirtualDisplay& display, CTranscript& transcript,
                             std::string strTextPath, std::string strPngPath,
                             const CConsoleFont* pFont)
    : m_display(display), m_transcript(transcript), m_strTextPath(std::move(strTextPath)),
      m_strPngPath(std::move(strPngPath)), m_painter(pFont)
{
}

void CScreenOutput::Update()
{
    if (m_display.Changes() == m_nShown)
        return;
    m_nShown = m_display.Changes();
    const CVirtualDisplay& d = m_display;
    if (!m_strTextPath.empty())
    {
        const std::string text = ScreenText(d);
        WriteWhole(m_strTextPath, text.data(), text.size());
    }
    if (!m_strPngPath.empty())
    {
        CPixelCanvas canvas(CScreenPainter::kWidth, CScreenPainter::kHeight);
        m_painter.Paint(d, canvas);
        const auto png = EncodePng(canvas.Width(), canvas.Height(), canvas.Rgb().data());
        WriteWhole(m_strPngPath, png.data(), png.size());
    }
    // Last, so whoever waits for the entry finds the files written.
    m_transcript.Write(CJsonObject()
                           .Add("event", "screen")
                           .Add("line1", d.LineCodes(0))
                           .Add("line2", d.LineCodes(1))
                           .Add("row", d.CursorRow() + 1)
                           .Add("column", d.CursorColumn() + 1)
                           .Add("mode", WriteModeName(d.WriteMode()))
                           .Add("brightness", d.Brightness())
                           .Add("dimmed", d.Dimmed())
                           .Add("contrast", d.Contrast())
                           .Add("blink", d.BlinkInterval())
                           .Add("reverse", d.Reverse())
                           .Add("character_set", d.CharacterSet())
                           .Add("code_table", d.CodeTable())
                           .Add("user_font", d.UserFontSelected())
                           .Add("user_cells", UserGlyphCells(d))
                           .Add("area0_pages", PageList(d, 0))
                           .Add("area1_pages", PageList(d, 1))
                           .Add("language", d.Chinese() ? "chinese" : "international")
                           .Add("baud", d.BaudRate())
                           .Add("indicator", IndicatorName(d.Indicator()))
                           .Add("warning", d.WarningColumn())
                           .Add("thank_you", d.ThankYou())
                           .Add("running", d.RunningText())
                           .Add("selected", d.Selected()));
}

bool CScreenOutput::WriteWhole(const std::string& strPath, const void* pData, std::size_t nCount)
{
    // Whole or not at all, so a reader never sees half a screen; rewritten
    // on every change, so not flushed to the disk each time.
    std::string strError;
    if (WriteFileAtomically(strPath, pData, nCount, &strError, false))
        return true;
    m_transcript.Write(
        CJsonObject().Add("event", "error").Add("text", "cannot write the screen: " + strError));
    return false;
}
