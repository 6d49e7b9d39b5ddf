#include "TypeloomDoc.h"

#include "File.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace
{
constexpr unsigned kPageGlyphs = 256;

std::uint32_t ClampLength(std::uint64_t nLength)
{
    // The length is kept in 32 bits; a larger file shows its first 4 GiB.
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(nLength, std::numeric_limits<std::uint32_t>::max()));
}
} // namespace

CTypeloomDoc::CTypeloomDoc(CDocumentSite& site) : m_site(site) {}

CTypeloomDoc::~CTypeloomDoc()
{
    ClearChanges();
}

COpenResult CTypeloomDoc::OnOpenDocument(const std::string& strPath)
{
    CFile file;
    if (!file.Open(strPath, CFile::EMode::Read))
        return {COpenResult::EStatus::CannotOpen, file.GetLastError()};
    const auto nLength = file.GetLength();
    if (!nLength)
        return {COpenResult::EStatus::LengthUnknown, strPath + ": its length cannot be read"};
    m_nFileLength = ClampLength(*nLength);
    return {};
}

void CTypeloomDoc::SetGlyphSize(unsigned nWidth, unsigned nHeight)
{
    m_glyph.m_nWidth = nWidth;
    m_glyph.m_nHeight = nHeight;
}

std::uint32_t CTypeloomDoc::GetGlyphCount() const
{
    return GlyphCount(m_nFileLength, m_glyph.Bytes());
}

long long CTypeloomDoc::ReadPage(std::uint32_t nFirstCode, std::uint8_t* pPageBuffer,
                                 std::uint8_t* pChangeFlags)
{
    const std::string strPath = m_site.GetPathName();
    if (strPath.empty())
        return 0;

    const unsigned nGlyphBytes = m_glyph.Bytes();
    if (nGlyphBytes > CGlyph::kMaxBytes)
        return -1; // a geometry the page buffer cannot hold

    // Read and write, as a save would; a file the user may only read is
    // still shown.
    CFile file;
    if (!file.Open(strPath, CFile::EMode::ReadWrite) && !file.Open(strPath, CFile::EMode::Read))
        return -1;

    long long nRead = 0;
    if (file.Seek(std::uint64_t{nFirstCode} * nGlyphBytes))
        nRead = file.Read(pPageBuffer, std::size_t{kPageGlyphs} * nGlyphBytes);
    file.Close();
    if (nRead < 0)
        nRead = 0; // a failed read leaves the buffer as it was, like a short one

    ApplyChanges(nFirstCode, pPageBuffer, pChangeFlags);
    return nRead;
}

std::vector<std::size_t> CTypeloomDoc::VisibleChanges(std::uint32_t nFirstCode,
                                                      std::uint64_t nCount) const
{
    std::vector<std::size_t> positions;
    for (auto it = m_changeIndex.lower_bound(nFirstCode);
         it != m_changeIndex.end() && it->first - nFirstCode < nCount; ++it)
        positions.insert(positions.end(), it->second.begin(), it->second.end());
    std::sort(positions.begin(), positions.end());
    return positions;
}

void CTypeloomDoc::ApplyChanges(std::uint32_t nFirstCode, std::uint8_t* pPageBuffer,
                                std::uint8_t* pChangeFlags) const
{
    std::memset(pChangeFlags, 0, kPageGlyphs);
    for (const std::size_t nPos : VisibleChanges(nFirstCode, kPageGlyphs))
    {
        const CGlyph& entry = m_changes[nPos];
        const std::uint32_t nCell = entry.m_nCode - nFirstCode;
        const unsigned nEntryBytes = std::min(entry.Bytes(), CGlyph::kMaxBytes);
        pChangeFlags[nCell] = 1;
        std::memcpy(pPageBuffer + std::size_t{nCell} * nEntryBytes, entry.m_bits.data(),
                    nEntryBytes);
    }
}

void CTypeloomDoc::AddChange(const CGlyph& glyph)
{
    const std::size_t nPos = m_changes.size();
    m_changes.push_back(glyph);

    auto& positions = m_changeIndex[glyph.m_nCode];
    const unsigned nBytes = glyph.Bytes();
    std::erase_if(positions, [&](std::size_t nOld) { return m_changes[nOld].Bytes() == nBytes; });
    positions.push_back(nPos);
}

void CTypeloomDoc::ClearChanges()
{
    m_changes.clear();
    m_changeIndex.clear();
}

bool CTypeloomDoc::WriteChanges(const std::string& strTarget, bool bCreate)
{
    CUserInterface& ui = m_site.GetUserInterface();
    CFile file;
    if (!file.Open(strTarget, bCreate ? CFile::EMode::CreateReadWrite : CFile::EMode::ReadWrite))
    {
        ui.MessageBox("Cannot save the font to \"" + strTarget + "\".\n" + file.GetLastError(),
                      EMessageIcon::Warning);
        return false;
    }
    for (const std::size_t nPos : VisibleChanges(0, std::uint64_t{1} << 32))
    {
        const CGlyph& entry = m_changes[nPos];
        const unsigned nEntryBytes = std::min(entry.Bytes(), CGlyph::kMaxBytes);
        if (!file.Seek(std::uint64_t{entry.m_nCode} * nEntryBytes) ||
            !file.Write(entry.m_bits.data(), nEntryBytes))
        {
            ui.MessageBox("Cannot write the font to \"" + strTarget + "\".\n" + file.GetLastError(),
                          EMessageIcon::Warning);
            return false;
        }
    }
    if (!file.Close())
    {
        ui.MessageBox("Cannot write the font to \"" + strTarget + "\".\n" + file.GetLastError(),
                      EMessageIcon::Warning);
        return false;
    }
    return true;
}

bool CTypeloomDoc::OnSaveDocument(const std::string& strTarget)
{
    // The first view commits its pending edit before anything is written.
    if (const auto views = m_site.GetViews(); !views.empty())
        views.front()->SendMessage(WM_SELECTGLYPH, 0, 0);

    const std::string strPath = m_site.GetPathName();
    bool bCreate = strPath.empty();
    if (!bCreate && strTarget != strPath)
    {
        // Save As: the new file starts as a copy of the old one. Without the
        // copy the changes would land on whatever the target held before.
        if (!CopyFileReplacing(strPath, strTarget))
        {
            m_site.GetUserInterface().MessageBox("Save File error!", EMessageIcon::Warning);
            return false;
        }
    }
    if (!WriteChanges(strTarget, bCreate))
        return false;

    ClearChanges();
    m_site.SetPathName(strTarget);
    m_site.AddToRecentFileList(strTarget);
    for (CDocumentView* pView : m_site.GetViews())
        pView->OnUpdate(1);
    return true;
}
