#include "FontSource.h"

#include <algorithm>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_FONT_FORMATS_H
#include FT_OUTLINE_H

namespace
{
// Outlines are rendered this far past the window on every side, so ink
// just outside it is seen (and reported) rather than guessed.
constexpr int kBorder = 2;

// Dots of a bitmap with its top-left dot at (nLeft, nTop), limited to the window.
template <typename IsLit>
CSourceGlyph CutToWindow(int nLeft, int nTop, int nWidth, int nHeight, const CSourceWindow& window,
                         IsLit isLit)
{
    CSourceGlyph glyph;
    glyph.m_nLeft = window.m_nLeft;
    glyph.m_nTop = window.m_nTop;
    glyph.m_nWidth = window.m_nWidth;
    glyph.m_nHeight = window.m_nHeight;
    glyph.m_dots.assign(static_cast<std::size_t>(window.m_nWidth) * window.m_nHeight, 0);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
        {
            if (!isLit(x, y))
                continue;
            const int wx = nLeft + x - window.m_nLeft;
            const int wy = nTop + y - window.m_nTop;
            if (wx < 0 || wy < 0 || wx >= window.m_nWidth || wy >= window.m_nHeight)
                glyph.m_bCut = true;
            else
                glyph.m_dots[static_cast<std::size_t>(wy) * window.m_nWidth + wx] = 1;
        }
    return glyph;
}

class CPsfSource final : public CFontSource
{
public:
    explicit CPsfSource(CConsoleFont font) : m_font(std::move(font))
    {
        m_strDescription = "PSF, " + std::to_string(m_font.Width()) + " x " +
                           std::to_string(m_font.Height()) + ", " +
                           std::to_string(m_font.GlyphCount()) + " glyphs" +
                           (m_font.HasTable() ? ", Unicode table" : ", no Unicode table");
        // A console font has no baseline: its whole box stands on it.
        m_nAscent = m_font.Height();
        m_nDescent = 0;
        m_bUnicode = m_font.HasTable();
    }

    std::optional<CSourceGlyph> Glyph(char32_t c, const CSourceWindow& window) override
    {
        const int nGlyph = m_font.HasTable()         ? m_font.GlyphOf(c)
                           : c < m_font.GlyphCount() ? static_cast<int>(c)
                                                     : -1;
        if (nGlyph < 0)
            return std::nullopt;
        auto glyph = CutToWindow(0, -m_font.Height(), m_font.Width(), m_font.Height(), window,
                                 [&](int x, int y) { return m_font.Dot(nGlyph, x, y); });
        glyph.m_nAdvance = m_font.Width();
        return glyph;
    }

private:
    CConsoleFont m_font;
};

// FreeType's own words for its errors (the library may be built without
// FT_Error_String).
const char* FreeTypeErrorText(FT_Error nError)
{
#undef FTERRORS_H_
#define FT_ERROR_START_LIST                                                                        \
    switch (nError)                                                                                \
    {
#define FT_ERRORDEF(e, v, s)                                                                       \
    case v:                                                                                        \
        return s;
#define FT_ERROR_END_LIST                                                                          \
    default:                                                                                       \
        return "unknown error";                                                                    \
        }
#include FT_ERRORS_H
}

std::string FreeTypeError(FT_Error nError)
{
    if (nError == FT_Err_Unknown_File_Format)
        return "not a font this tool reads (PSF, BDF, PCF, TrueType, OpenType)";
    return std::string("cannot be read as a font: ") + FreeTypeErrorText(nError);
}

class CFreeTypeSource final : public CFontSource
{
public:
    static std::unique_ptr<CFontSource> Open(std::span<const std::uint8_t> bytes,
                                             const CSourceOptions& options, std::string& strError)
    {
        std::unique_ptr<CFreeTypeSource> source(new CFreeTypeSource);
        source->m_bytes.assign(bytes.begin(), bytes.end());
        source->m_nThreshold = options.m_nThreshold;
        FT_Library pLibrary = nullptr;
        if (const FT_Error nError = FT_Init_FreeType(&pLibrary))
        {
            strError = FreeTypeError(nError);
            return nullptr;
        }
        source->m_pLibrary.reset(pLibrary);
        FT_Face pFace = nullptr;
        if (const FT_Error nError =
                FT_New_Memory_Face(pLibrary, source->m_bytes.data(),
                                   static_cast<FT_Long>(source->m_bytes.size()), 0, &pFace))
        {
            strError = FreeTypeError(nError);
            return nullptr;
        }
        source->m_pFace.reset(pFace);
        if (!source->SetSize(options, strError))
            return nullptr;
        source->m_bUnicode = FT_Select_Charmap(pFace, FT_ENCODING_UNICODE) == 0;
        if (!source->m_bUnicode && !pFace->charmap && pFace->num_charmaps > 0)
            FT_Set_Charmap(pFace, pFace->charmaps[0]);
        source->m_strDescription = source->Description();
        return source;
    }

    std::optional<CSourceGlyph> Glyph(char32_t c, const CSourceWindow& window) override
    {
        const FT_Face pFace = m_pFace.get();
        const FT_UInt nIndex = FT_Get_Char_Index(pFace, c);
        if (nIndex == 0)
            return std::nullopt;
        if (FT_Load_Glyph(pFace, nIndex, m_bScalable ? FT_LOAD_NO_BITMAP : FT_LOAD_DEFAULT))
            return std::nullopt;
        const FT_GlyphSlot pSlot = pFace->glyph;
        std::optional<CSourceGlyph> glyph;
        if (pSlot->format == FT_GLYPH_FORMAT_OUTLINE)
            glyph = RenderOutline(&pSlot->outline, window);
        else if (pSlot->format == FT_GLYPH_FORMAT_BITMAP)
            glyph = FromBitmap(pSlot->bitmap, pSlot->bitmap_left, -pSlot->bitmap_top, window);
        if (glyph)
            glyph->m_nAdvance = static_cast<int>((pSlot->advance.x + 32) >> 6);
        return glyph;
    }

private:
    struct CLibraryDone
    {
        void operator()(FT_Library p) const { FT_Done_FreeType(p); }
    };
    struct CFaceDone
    {
        void operator()(FT_Face p) const { FT_Done_Face(p); }
    };

    bool SetSize(const CSourceOptions& options, std::string& strError)
    {
        const FT_Face pFace = m_pFace.get();
        m_bScalable = FT_IS_SCALABLE(pFace);
        if (!m_bScalable)
        {
            if (pFace->num_fixed_sizes <= 0)
            {
                strError = "the font has neither outlines nor bitmaps";
                return false;
            }
            // The strike that fits best: the tallest not above the cell, else
            // the smallest.
            int nBest = 0;
            for (int i = 1; i < pFace->num_fixed_sizes; ++i)
            {
                const int nHeight = pFace->available_sizes[i].height;
                const int nBestHeight = pFace->available_sizes[nBest].height;
                const bool bFits = nHeight <= options.m_nFitHeight;
                const bool bBestFits = nBestHeight <= options.m_nFitHeight;
                if ((bFits && (!bBestFits || nHeight > nBestHeight)) ||
                    (!bFits && !bBestFits && nHeight < nBestHeight))
                    nBest = i;
            }
            if (const FT_Error nError = FT_Select_Size(pFace, nBest))
            {
                strError = FreeTypeError(nError);
                return false;
            }
            m_nPixelSize = pFace->available_sizes[nBest].height;
        }
        else
        {
            int nSize = options.m_nPixelSize;
            if (nSize <= 0)
            {
                const long nLineUnits = static_cast<long>(pFace->ascender) - pFace->descender;
                nSize = nLineUnits > 0 ? static_cast<int>(static_cast<long>(options.m_nFitHeight) *
                                                          pFace->units_per_EM / nLineUnits)
                                       : options.m_nFitHeight;
                nSize = std::clamp(nSize, 1, 256);
            }
            for (;;)
            {
                if (const FT_Error nError =
                        FT_Set_Pixel_Sizes(pFace, 0, static_cast<FT_UInt>(nSize)))
                {
                    strError = FreeTypeError(nError);
                    return false;
                }
                // Hinting rounds the metrics up; step down until the line fits.
                if (options.m_nPixelSize > 0 || nSize == 1 || LineHeight() <= options.m_nFitHeight)
                    break;
                --nSize;
            }
            m_nPixelSize = nSize;
        }
        m_nAscent = static_cast<int>((pFace->size->metrics.ascender + 63) >> 6);
        m_nDescent = static_cast<int>((-pFace->size->metrics.descender + 63) >> 6);
        return true;
    }

    std::string Description() const
    {
        const FT_Face pFace = m_pFace.get();
        std::string str = FT_Get_Font_Format(pFace) ? FT_Get_Font_Format(pFace) : "font";
        if (pFace->family_name)
            str += std::string(" ") + pFace->family_name;
        if (pFace->style_name)
            str += std::string(" ") + pFace->style_name;
        str += m_bScalable ? " at " + std::to_string(m_nPixelSize) + " px"
                           : ", " + std::to_string(m_nPixelSize) + " px bitmaps";
        return str + ", " + std::to_string(pFace->num_glyphs) + " glyphs";
    }

    int LineHeight() const
    {
        const FT_Size_Metrics& metrics = m_pFace->size->metrics;
        return static_cast<int>(((metrics.ascender + 63) >> 6) + ((-metrics.descender + 63) >> 6));
    }

    std::optional<CSourceGlyph> FromBitmap(const FT_Bitmap& bitmap, int nLeft, int nTop,
                                           const CSourceWindow& window) const
    {
        const unsigned char* pRows = bitmap.buffer;
        const int nPitch = bitmap.pitch;
        if (!pRows && bitmap.rows > 0)
            return std::nullopt;
        auto row = [&](int y)
        {
            return nPitch >= 0 ? pRows + static_cast<std::ptrdiff_t>(y) * nPitch
                               : pRows + static_cast<std::ptrdiff_t>(bitmap.rows - 1 - y) * -nPitch;
        };
        switch (bitmap.pixel_mode)
        {
        case FT_PIXEL_MODE_MONO:
            return CutToWindow(
                nLeft, nTop, static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows), window,
                [&](int x, int y) { return (row(y)[x / 8] & (0x80 >> (x % 8))) != 0; });
        case FT_PIXEL_MODE_GRAY:
            return CutToWindow(nLeft, nTop, static_cast<int>(bitmap.width),
                               static_cast<int>(bitmap.rows), window,
                               [&](int x, int y) { return row(y)[x] >= m_nThreshold; });
        default:
            return std::nullopt;
        }
    }

    std::optional<CSourceGlyph> RenderOutline(FT_Outline* pOutline,
                                              const CSourceWindow& window) const
    {
        // Only the window and a small border are rendered, whatever size the
        // outline claims: memory stays bounded by the cell.
        const CSourceWindow wide{window.m_nLeft - kBorder, window.m_nTop - kBorder,
                                 window.m_nWidth + 2 * kBorder, window.m_nHeight + 2 * kBorder};
        std::vector<unsigned char> gray(static_cast<std::size_t>(wide.m_nWidth) * wide.m_nHeight,
                                        0);
        FT_Bitmap target{};
        target.rows = static_cast<unsigned>(wide.m_nHeight);
        target.width = static_cast<unsigned>(wide.m_nWidth);
        target.pitch = wide.m_nWidth;
        target.buffer = gray.data();
        target.num_grays = 256;
        target.pixel_mode = FT_PIXEL_MODE_GRAY;
        // Row y (down from the baseline) covers FreeType's y from -y - 1 to
        // -y; the target's bottom-left corner is its origin.
        const FT_Pos dx = -static_cast<FT_Pos>(wide.m_nLeft) * 64;
        const FT_Pos dy = static_cast<FT_Pos>(wide.m_nTop + wide.m_nHeight) * 64;
        FT_BBox box{};
        FT_Outline_Get_BBox(pOutline, &box);
        FT_Outline_Translate(pOutline, dx, dy);
        if (FT_Outline_Get_Bitmap(m_pLibrary.get(), pOutline, &target))
            return std::nullopt;
        auto glyph = CutToWindow(
            wide.m_nLeft, wide.m_nTop, wide.m_nWidth, wide.m_nHeight, window,
            [&](int x, int y)
            { return gray[static_cast<std::size_t>(y) * wide.m_nWidth + x] >= m_nThreshold; });
        const bool bBeyond = box.xMin < static_cast<FT_Pos>(wide.m_nLeft) * 64 ||
                             box.xMax > static_cast<FT_Pos>(wide.m_nLeft + wide.m_nWidth) * 64 ||
                             box.yMax > static_cast<FT_Pos>(-wide.m_nTop) * 64 ||
                             box.yMin < static_cast<FT_Pos>(-wide.m_nTop - wide.m_nHeight) * 64;
        if (box.xMax > box.xMin && bBeyond)
            glyph.m_bCut = true;
        return glyph;
    }

    CFreeTypeSource() = default;

    std::vector<std::uint8_t> m_bytes; // FreeType reads the face from here
    std::unique_ptr<FT_LibraryRec_, CLibraryDone> m_pLibrary;
    std::unique_ptr<FT_FaceRec_, CFaceDone> m_pFace;
    bool m_bScalable = false;
    int m_nPixelSize = 0;
    int m_nThreshold = 128;
};
} // namespace

std::unique_ptr<CFontSource> CFontSource::Open(std::span<const std::uint8_t> bytes,
                                               const CSourceOptions& options, std::string& strError)
{
    // Console fonts are recognised by their magic; FreeType has no reader for them.
    const bool bPsf1 = bytes.size() >= 2 && bytes[0] == 0x36 && bytes[1] == 0x04;
    const bool bPsf2 = bytes.size() >= 4 && bytes[0] == 0x72 && bytes[1] == 0xB5 &&
                       bytes[2] == 0x4A && bytes[3] == 0x86;
    if (bPsf1 || bPsf2)
    {
        auto font =
            CConsoleFont::Parse(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), strError);
        if (!font)
            return nullptr;
        return std::make_unique<CPsfSource>(std::move(*font));
    }
    if (bytes.empty())
    {
        strError = "the file is empty";
        return nullptr;
    }
    return CFreeTypeSource::Open(bytes, options, strError);
}
