#include "FontImport.h"

#include "Glyph.h"
#include "SourceFile.h"

#include <iconv.h>
#include <memory>

std::optional<std::vector<char32_t>> CodePageCharacters(const std::string& strCodePage)
{
    const iconv_t cd = ::iconv_open("UTF-32LE", strCodePage.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    const std::unique_ptr<void, int (*)(iconv_t)> close(cd, ::iconv_close);
    std::vector<char32_t> characters(256, 0);
    for (unsigned nByte = 0; nByte < 256; ++nByte)
    {
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char in = static_cast<char>(nByte);
        unsigned char out[8] = {};
        char* pIn = &in;
        char* pOut = reinterpret_cast<char*>(out);
        std::size_t nIn = 1;
        std::size_t nOut = sizeof out;
        // A byte that is only the start of a longer sequence, or no
        // character at all, is an empty place.
        if (::iconv(cd, &pIn, &nIn, &pOut, &nOut) == static_cast<std::size_t>(-1) ||
            sizeof out - nOut != 4)
            continue;
        characters[nByte] =
            out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
    }
    return characters;
}

std::optional<std::vector<std::uint8_t>> ImportFont(CFontSource& source,
                                                    const CImportOptions& options,
                                                    CImportReport& report, std::string& strError)
{
    if (options.m_nWidth == 0 || options.m_nWidth > CGlyph::kMaxSide || options.m_nWidth % 8 ||
        options.m_nHeight == 0 || options.m_nHeight > CGlyph::kMaxSide)
    {
        strError = "the glyph geometry must be 8, 16, 24 or 32 wide and 1 to 32 high";
        return std::nullopt;
    }
    if (options.m_nCount == 0 ||
        static_cast<std::uint64_t>(options.m_nFirst) + options.m_nCount > 65536)
    {
        strError = "the glyphs must lie between 0 and 65535";
        return std::nullopt;
    }
    std::optional<std::vector<char32_t>> codePage;
    if (!options.m_strCodePage.empty())
    {
        codePage = CodePageCharacters(options.m_strCodePage);
        if (!codePage)
        {
            strError = "unknown code page \"" + options.m_strCodePage + "\"";
            return std::nullopt;
        }
    }

    const int nWidth = static_cast<int>(options.m_nWidth);
    const int nHeight = static_cast<int>(options.m_nHeight);
    const int nAscent = source.Ascent();
    const int nLine = nAscent + source.Descent();
    const int nBaseline =
        options.m_nBaseline.value_or(options.m_bCenter ? (nHeight - nLine) / 2 + nAscent : nAscent);

    report = {};
    report.m_strSource = source.Describe();
    const unsigned nGlyphBytes = GlyphBytes(options.m_nWidth, options.m_nHeight);
    const std::uint32_t nEnd = options.m_nFirst + options.m_nCount;
    std::vector<std::uint8_t> font(static_cast<std::size_t>(nEnd) * nGlyphBytes, 0);
    CGlyph cell;
    cell.m_nWidth = options.m_nWidth;
    cell.m_nHeight = options.m_nHeight;
    const std::uint32_t nFromCode = options.m_nFromCode.value_or(options.m_nFirst);
    for (std::uint32_t nGlyph = options.m_nFirst; nGlyph < nEnd; ++nGlyph)
    {
        const std::uint64_t nPlace =
            static_cast<std::uint64_t>(nFromCode) + (nGlyph - options.m_nFirst);
        char32_t c = static_cast<char32_t>(nPlace);
        if (codePage)
        {
            c = nPlace < 256 ? (*codePage)[nPlace] : 0;
            // Byte 0 is NUL in every code page; an empty place elsewhere.
            if (c == 0 && nPlace != 0)
            {
                report.m_unmapped.push_back(nGlyph);
                continue;
            }
        }
        // The pen position: the left option, or centring this glyph's advance.
        int nLeft = options.m_nLeft.value_or(0);
        CSourceWindow window{-nLeft, -nBaseline, nWidth, nHeight};
        auto glyph = source.Glyph(c, window);
        if (!glyph)
        {
            report.m_missing.push_back(nGlyph);
            continue;
        }
        if (options.m_bCenter && !options.m_nLeft)
        {
            const int nCentred = (nWidth - glyph->m_nAdvance) / 2;
            if (nCentred != nLeft)
            {
                nLeft = nCentred;
                window.m_nLeft = -nLeft;
                glyph = source.Glyph(c, window);
                if (!glyph)
                {
                    report.m_missing.push_back(nGlyph);
                    continue;
                }
            }
        }
        ++report.m_nImported;
        if (glyph->m_bCut)
            report.m_clipped.push_back(nGlyph);
        std::uint8_t* pBits = font.data() + static_cast<std::size_t>(nGlyph) * nGlyphBytes;
        for (int y = 0; y < glyph->m_nHeight; ++y)
            for (int x = 0; x < glyph->m_nWidth; ++x)
                if (glyph->Dot(x, y))
                    cell.SetPixel(static_cast<unsigned>(glyph->m_nLeft + nLeft + x),
                                  static_cast<unsigned>(glyph->m_nTop + nBaseline + y), 1, pBits);
    }
    return font;
}

EImportResult ImportFontFile(const std::string& strSource, const CSourceOptions& sourceOptions,
                             const CImportOptions& options, std::vector<std::uint8_t>& font,
                             CImportReport& report, std::string& strError)
{
    const auto bytes = ReadFontSourceFile(strSource, kMaxSourceBytes, strError);
    if (!bytes)
        return EImportResult::SourceError;
    const auto source = CFontSource::Open(*bytes, sourceOptions, strError);
    if (!source)
    {
        strError = strSource + ": " + strError;
        return EImportResult::SourceError;
    }
    auto imported = ImportFont(*source, options, report, strError);
    if (!imported)
        return EImportResult::OptionError;
    font = std::move(*imported);
    return EImportResult::Done;
}
