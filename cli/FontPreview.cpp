#include "FontPreview.h"

#include "FontImport.h"
#include "Glyph.h"
#include "PixelCanvas.h"
#include "ScreenPainter.h"

#include <map>

namespace
{
// Draws on a picture nScale times as large as the painter's coordinates.
class CScaledCanvas final : public CCanvas
{
public:
    CScaledCanvas(CPixelCanvas& canvas, int nScale) : m_canvas(canvas), m_nScale(nScale) {}

    void FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour) override
    {
        m_canvas.FillRect(nLeft * m_nScale, nTop * m_nScale, nRight * m_nScale, nBottom * m_nScale,
                          colour);
    }
    void Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour) override
    {
        m_canvas.Line(x0 * m_nScale, y0 * m_nScale, x1 * m_nScale, y1 * m_nScale, nWidth * m_nScale,
                      colour);
    }
    void Text(int x, int y, const std::string& strText, CRgb colour) override
    {
        m_canvas.Text(x * m_nScale, y * m_nScale, strText, colour);
    }
    CRgb SystemColour(ESystemColour which) const override { return m_canvas.SystemColour(which); }

private:
    CPixelCanvas& m_canvas;
    int m_nScale;
};

void AppendUtf8(std::string& str, char32_t c)
{
    if (c < 0x80)
    {
        str += static_cast<char>(c);
        return;
    }
    if (c < 0x800)
    {
        str += static_cast<char>(0xC0 | c >> 6);
    }
    else
    {
        str += static_cast<char>(0xE0 | c >> 12);
        str += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    }
    str += static_cast<char>(0x80 | (c & 0x3F));
}
} // namespace

std::optional<std::vector<std::uint32_t>>
TextCodes(const std::string& strText, const std::string& strCodePage, std::string& strError)
{
    std::map<char32_t, std::uint32_t> bytesOf;
    if (!strCodePage.empty())
    {
        const auto characters = CodePageCharacters(strCodePage);
        if (!characters)
        {
            strError = "unknown code page \"" + strCodePage + "\"";
            return std::nullopt;
        }
        // The first place wins where a code page has a character twice.
        for (std::uint32_t n = 256; n-- > 0;)
            if ((*characters)[n] || n == 0)
                bytesOf[(*characters)[n]] = n;
    }
    std::vector<std::uint32_t> codes;
    for (std::size_t i = 0; i < strText.size();)
    {
        // UTF-8; a byte that starts no valid sequence stands for itself.
        const auto n0 = static_cast<unsigned char>(strText[i]);
        const int nMore = n0 < 0x80             ? 0
                          : (n0 & 0xE0) == 0xC0 ? 1
                          : (n0 & 0xF0) == 0xE0 ? 2
                          : (n0 & 0xF8) == 0xF0 ? 3
                                                : -1;
        char32_t c = n0;
        std::size_t nLength = 1;
        if (nMore > 0)
        {
            char32_t decoded = n0 & (0x3F >> nMore);
            int k = 1;
            for (; k <= nMore && i + k < strText.size() && (strText[i + k] & 0xC0) == 0x80; ++k)
                decoded = decoded << 6 | (strText[i + k] & 0x3F);
            if (k > nMore)
            {
                c = decoded;
                nLength = static_cast<std::size_t>(nMore) + 1;
            }
        }
        i += nLength;
        if (c == '\n')
        {
            codes.push_back(kLineBreak);
            continue;
        }
        if (strCodePage.empty())
        {
            codes.push_back(c);
            continue;
        }
        const auto it = bytesOf.find(c);
        codes.push_back(it == bytesOf.end() ? '?' : it->second);
    }
    return codes;
}

CPreviewScreen LayOutText(const std::vector<std::uint32_t>& codes, bool& bCut)
{
    CPreviewScreen screen{};
    bCut = false;
    int nLine = 0;
    int nColumn = 0;
    for (const std::uint32_t nCode : codes)
    {
        if (nCode == kLineBreak || nColumn == kPreviewColumns)
        {
            ++nLine;
            nColumn = 0;
        }
        if (nLine == kPreviewLines)
        {
            bCut = true;
            break;
        }
        if (nCode != kLineBreak)
            screen[nLine][nColumn++] = nCode;
    }
    return screen;
}

bool CFontPreview::Dot(std::uint32_t nCode, int x, int y) const
{
    const unsigned nGlyphBytes = GlyphBytes(m_nWidth, m_nHeight);
    if (nCode >= GlyphCount(m_font.size(), nGlyphBytes))
        return false;
    CGlyph glyph;
    glyph.m_nWidth = m_nWidth;
    glyph.m_nHeight = m_nHeight;
    return glyph.GetPixel(static_cast<unsigned>(x), static_cast<unsigned>(y),
                          m_font.data() + static_cast<std::size_t>(nCode) * nGlyphBytes) != 0;
}

CPixelCanvas CFontPreview::Paint(const CPreviewScreen& screen, int nScale) const
{
    // The simulator's screen, with cells of this font's size and no legends.
    constexpr int kPitch = CScreenPainter::kDotPitch;
    const int nCellWidth = static_cast<int>(m_nWidth) * kPitch;
    const int nCellHeight = static_cast<int>(m_nHeight) * kPitch;
    const int nWidth = 2 * CScreenPainter::kMarginX + kPreviewColumns * nCellWidth +
                       (kPreviewColumns - 1) * CScreenPainter::kCellGap -
                       (kPitch - CScreenPainter::kDotSize);
    const int nHeight = 2 * CScreenPainter::kMarginTop + kPreviewLines * nCellHeight +
                        CScreenPainter::kRowGap - (kPitch - CScreenPainter::kDotSize);
    CPixelCanvas picture(nWidth * nScale, nHeight * nScale, CScreenPainter::kGlass);
    CScaledCanvas canvas(picture, nScale);
    const CRgb lit = CScreenPainter::LitColour(CVirtualDisplay());
    for (int nLine = 0; nLine < kPreviewLines; ++nLine)
        for (int nColumn = 0; nColumn < kPreviewColumns; ++nColumn)
        {
            const auto& code = screen[nLine][nColumn];
            CScreenPainter::PaintCell(
                canvas,
                CScreenPainter::kMarginX + nColumn * (nCellWidth + CScreenPainter::kCellGap),
                CScreenPainter::kMarginTop + nLine * (nCellHeight + CScreenPainter::kRowGap),
                static_cast<int>(m_nWidth), static_cast<int>(m_nHeight),
                [&](int x, int y) { return code && Dot(*code, x, y); }, lit);
        }
    return picture;
}

std::string CFontPreview::Text(const CPreviewScreen& screen) const
{
    std::string str;
    const int nHeight = static_cast<int>(m_nHeight);
    for (int nLine = 0; nLine < kPreviewLines; ++nLine)
    {
        if (nLine > 0)
            str += '\n';
        for (int y = 0; y < nHeight; y += 2)
        {
            for (int nColumn = 0; nColumn < kPreviewColumns; ++nColumn)
            {
                if (nColumn > 0)
                    str += ' ';
                const auto& code = screen[nLine][nColumn];
                for (int x = 0; x < static_cast<int>(m_nWidth); ++x)
                {
                    const bool bUpper = code && Dot(*code, x, y);
                    const bool bLower = code && y + 1 < nHeight && Dot(*code, x, y + 1);
                    AppendUtf8(str, bUpper && bLower ? U'\u2588'
                                    : bUpper         ? U'\u2580'
                                    : bLower         ? U'\u2584'
                                                     : U' ');
                }
            }
            // No trailing blanks.
            while (!str.empty() && str.back() == ' ')
                str.pop_back();
            str += '\n';
        }
    }
    return str;
}
