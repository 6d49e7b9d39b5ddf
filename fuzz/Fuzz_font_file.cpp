// A font file as the editor opens it: every page read with a change list
// laid over it, and the save that writes the font with the changes, both
// against a model of the headerless file.
#include "FuzzFolder.h"
#include "RecordingUserInterface.h"
#include "TypeloomDoc.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
std::vector<std::uint8_t> ReadAll(const std::string& strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    // Geometry (two bytes, up to 40 x 40 so that sizes past what a page
    // holds come too), a change count, that many changes (a code below
    // 1024 in two bytes and a fill byte), then the file.
    if (nSize < 3)
        return 0;
    const unsigned nWidth = 1 + pData[0] % 40;
    const unsigned nHeight = 1 + pData[1] % 40;
    const unsigned nGlyphBytes = GlyphBytes(nWidth, nHeight);
    std::size_t nAt = 3;
    std::vector<CGlyph> changes;
    for (unsigned n = 0; n < pData[2] % 4u && nAt + 3 <= nSize; ++n, nAt += 3)
    {
        CGlyph glyph;
        glyph.m_nWidth = nWidth;
        glyph.m_nHeight = nHeight;
        glyph.m_nCode = (pData[nAt] | pData[nAt + 1] << 8) % 1024u;
        for (std::size_t i = 0; i < glyph.m_bits.size(); ++i)
            glyph.m_bits[i] = static_cast<std::uint8_t>(pData[nAt + 2] + i);
        changes.push_back(glyph);
    }
    const std::vector<std::uint8_t> file(pData + nAt, pData + nSize);
    const std::string strPath = FuzzPath("font.bin");
    std::ofstream(strPath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));

    CRecordingUserInterface ui;
    CTypeloomDoc doc(ui);
    if (!doc.OnOpenDocument(strPath) || doc.m_nFileLength != file.size())
        __builtin_trap();
    doc.SetGlyphSize(nWidth, nHeight);
    for (const CGlyph& glyph : changes)
        doc.AddChange(glyph);

    // Pages hold at most 128 bytes a glyph; a larger geometry reads nothing.
    const bool bReadable = nGlyphBytes <= CGlyph::kMaxBytes;
    const std::uint32_t nPages = doc.GetLastPage() + 1;
    std::vector<std::uint8_t> page(kPageBufferBytes);
    std::uint8_t flags[256];
    for (std::uint32_t nPage = 0; nPage < nPages + 1; ++nPage)
    {
        const std::uint32_t nFirst = nPage * 256;
        std::fill(page.begin(), page.end(), 0xA5);
        const long long nRead = doc.ReadPage(nFirst, page.data(), flags);
        if (!bReadable)
        {
            if (nRead != -1)
                __builtin_trap();
            continue;
        }
        // The file's bytes of the page, the rest as the buffer held it,
        // the changed cells over both, later changes over earlier ones.
        const std::size_t nOffset = std::size_t{nFirst} * nGlyphBytes;
        const std::size_t nExpected =
            nOffset < file.size() ? std::min<std::size_t>(256 * nGlyphBytes, file.size() - nOffset)
                                  : 0;
        if (nRead != static_cast<long long>(nExpected))
            __builtin_trap();
        std::vector<std::uint8_t> model(kPageBufferBytes, 0xA5);
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(std::min(nOffset, file.size())),
                    nExpected, model.begin());
        std::uint8_t modelFlags[256] = {};
        for (const CGlyph& glyph : changes)
            if (glyph.m_nCode >= nFirst && glyph.m_nCode < nFirst + 256)
            {
                modelFlags[glyph.m_nCode - nFirst] = 1;
                std::copy_n(glyph.m_bits.begin(), nGlyphBytes,
                            model.begin() + (glyph.m_nCode - nFirst) * nGlyphBytes);
            }
        if (page != model || std::memcmp(flags, modelFlags, sizeof flags) != 0)
            __builtin_trap();
    }
    if (!bReadable)
        return 0;

    // The saved file: the old bytes with each change at its code, the font
    // lengthened with zeros to the furthest change.
    std::vector<std::uint8_t> saved = file;
    for (const CGlyph& glyph : changes)
    {
        const std::size_t nStart = std::size_t{glyph.m_nCode} * nGlyphBytes;
        if (saved.size() < nStart + nGlyphBytes)
            saved.resize(nStart + nGlyphBytes, 0);
        std::copy_n(glyph.m_bits.begin(), nGlyphBytes, saved.begin() + nStart);
    }
    const std::string strTarget = FuzzPath("saved.bin");
    if (doc.OnSaveDocument(strTarget) != ESaveResult::Saved || ReadAll(strTarget) != saved ||
        !doc.GetChanges().empty())
        __builtin_trap();
    return 0;
}
