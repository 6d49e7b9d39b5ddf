#include "TypeloomDoc.h"

#include "AtomicFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string_view>

namespace
{
#ifdef _WIN32
constexpr bool kReplacesOpenFiles = false;
#else
constexpr bool kReplacesOpenFiles = true;
#endif
constexpr unsigned kPageGlyphs = 256;

std::uint32_t ClampLength(std::uint64_t nLength)
{
    // The length is kept in 32 bits; a larger file shows its first 4 GiB.
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(nLength, std::numeric_limits<std::uint32_t>::max()));
}
} // namespace

CTypeloomDoc::CTypeloomDoc(CUserInterface& ui) : m_ui(ui) {}

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
    m_source = std::move(file);
    m_strPath = strPath;
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

CFile* CTypeloomDoc::Source() const
{
    if (!m_source.IsOpen())
    {
        if (m_strPath.empty() || !m_source.Open(m_strPath, CFile::EMode::Read))
            return nullptr;
    }
    return &m_source;
}

long long CTypeloomDoc::ReadPage(std::uint32_t nFirstCode, std::uint8_t* pPageBuffer,
                                 std::uint8_t* pChangeFlags)
{
    if (m_strPath.empty())
        return 0;

    const unsigned nGlyphBytes = m_glyph.Bytes();
    if (nGlyphBytes > CGlyph::kMaxBytes)
        return -1; // a geometry the page buffer cannot hold

    CFile* pFile = Source();
    if (!pFile)
        return -1;

    long long nRead = 0;
    if (pFile->Seek(std::uint64_t{nFirstCode} * nGlyphBytes))
        nRead = pFile->Read(pPageBuffer, std::size_t{kPageGlyphs} * nGlyphBytes);
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

bool CTypeloomDoc::WouldChangeFile(const std::vector<const CGlyph*>& pending) const
{
    std::vector<const CGlyph*> edits;
    for (const std::size_t nPos : VisibleChanges(0, std::uint64_t{1} << 32))
    {
        // A pending edit of the same glyph is what a save would write.
        const CGlyph& entry = m_changes[nPos];
        if (std::none_of(pending.begin(), pending.end(),
                         [&](const CGlyph* pGlyph) {
                             return pGlyph->m_nCode == entry.m_nCode &&
                                    pGlyph->Bytes() == entry.Bytes();
                         }))
            edits.push_back(&entry);
    }
    edits.insert(edits.end(), pending.begin(), pending.end());
    if (edits.empty())
        return false;
    CFile* pSource = m_strPath.empty() ? nullptr : Source();
    if (!pSource)
        return true;
    std::array<std::uint8_t, CGlyph::kMaxBytes> onDisk{};
    for (const CGlyph* pEdit : edits)
    {
        const unsigned nBytes = std::min(pEdit->Bytes(), CGlyph::kMaxBytes);
        const std::uint64_t nOffset = std::uint64_t{pEdit->m_nCode} * nBytes;
        // Bytes past the font's end would lengthen the file.
        if (nOffset + nBytes > m_nFileLength || !pSource->Seek(nOffset) ||
            pSource->Read(onDisk.data(), nBytes) != nBytes ||
            std::memcmp(onDisk.data(), pEdit->m_bits.data(), nBytes) != 0)
            return true;
    }
    return false;
}

void CTypeloomDoc::ClearChanges()
{
    m_changes.clear();
    m_changeIndex.clear();
}

bool CTypeloomDoc::WriteFont(const std::string& strTarget)
{
    const std::vector<std::size_t> visible = VisibleChanges(0, std::uint64_t{1} << 32);
    std::uint64_t nLength = m_nFileLength;
    for (const std::size_t nPos : visible)
    {
        const CGlyph& entry = m_changes[nPos];
        const std::uint64_t nBytes = std::min(entry.Bytes(), CGlyph::kMaxBytes);
        nLength = std::max(nLength, (entry.m_nCode + std::uint64_t{1}) * nBytes);
    }

    CAtomicFile out(strTarget);
    auto fail = [&](const std::string& strCause)
    {
        m_ui.MessageBox("Cannot save the font to \"" + strTarget + "\".\n" + strCause,
                        EMessageIcon::Warning);
        return false;
    };
    if (!out.Open())
        return fail(out.GetLastError());

    // The font is copied in chunks with the changes laid over each. Bytes
    // the source no longer has (a file cut short under us) become zeros, and
    // the first of them is remembered to tell the user.
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    std::vector<std::uint8_t> chunk;
    CFile* pSource = m_nFileLength ? Source() : nullptr;
    std::uint64_t nUnreadFrom = nLength;
    for (std::uint64_t nOffset = 0; nOffset < nLength; nOffset += kChunk)
    {
        const std::size_t nSize =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, nLength - nOffset));
        chunk.assign(nSize, 0);
        long long nRead = 0;
        if (pSource && nOffset < m_nFileLength && pSource->Seek(nOffset))
            nRead = std::max(
                0LL, pSource->Read(chunk.data(), static_cast<std::size_t>(std::min<std::uint64_t>(
                                                     nSize, m_nFileLength - nOffset))));
        if (nOffset + static_cast<std::uint64_t>(nRead) <
            std::min<std::uint64_t>(m_nFileLength, nOffset + nSize))
            nUnreadFrom = std::min(nUnreadFrom, nOffset + static_cast<std::uint64_t>(nRead));
        for (const std::size_t nPos : visible)
        {
            const CGlyph& entry = m_changes[nPos];
            const std::uint64_t nBytes = std::min(entry.Bytes(), CGlyph::kMaxBytes);
            const std::uint64_t nStart = std::uint64_t{entry.m_nCode} * nBytes;
            const std::uint64_t nFrom = std::max(nStart, nOffset);
            const std::uint64_t nTo = std::min(nStart + nBytes, nOffset + nSize);
            if (nFrom < nTo)
                std::memcpy(chunk.data() + (nFrom - nOffset),
                            entry.m_bits.data() + (nFrom - nStart),
                            static_cast<std::size_t>(nTo - nFrom));
        }
        if (!out.Write(chunk.data(), chunk.size()))
            return fail(out.GetLastError());
    }
    // Windows replaces no file that is open: the held font lets go of its
    // file for the moment of the replacement and takes it back if that
    // fails. There, the file held open cannot be deleted or moved meanwhile.
    std::string strLetGo;
    std::error_code ec;
    if (!kReplacesOpenFiles && m_source.IsOpen() &&
        std::filesystem::equivalent(m_source.GetFilePath(), strTarget, ec))
    {
        strLetGo = m_source.GetFilePath();
        m_source.Close();
    }
    if (!out.Commit())
    {
        if (!strLetGo.empty())
            m_source.Open(strLetGo, CFile::EMode::Read);
        return fail(out.GetLastError());
    }

    if (nUnreadFrom < m_nFileLength && m_glyph.Bytes())
    {
        const std::uint64_t nGlyphBytes = m_glyph.Bytes();
        char szRange[64];
        std::snprintf(szRange, sizeof szRange, "0x%llX to 0x%llX",
                      static_cast<unsigned long long>(nUnreadFrom / nGlyphBytes),
                      static_cast<unsigned long long>((m_nFileLength - 1) / nGlyphBytes));
        m_ui.MessageBox("The font was saved to \"" + strTarget +
                            "\" with your edits, but its file "
                            "was cut short while open: the unedited glyphs " +
                            szRange + " could not be read and were written as zeros.",
                        EMessageIcon::Warning);
    }
    m_nFileLength = ClampLength(nLength);
    m_source.Close();
    m_source.Open(strTarget, CFile::EMode::Read);
    return true;
}

CFileDialogRequest SaveAsRequest(const std::string& strFileName)
{
    CFileDialogRequest request;
    request.m_bOpen = false;
    request.m_strFilter = "All Files (*.*)|*.*||";
    request.m_strFileName = strFileName;
    request.m_bPathMustExist = true;
    request.m_bOverwritePrompt = true;
    request.m_bHideReadOnly = true;
    return request;
}

ESaveResult CTypeloomDoc::OnSaveDocument(const std::string& strTarget)
{
    // The first view commits its pending edit before anything is written.
    if (!m_views.empty())
        m_views.front()->SendMessage(WM_SELECTGLYPH, 0, 0);

    std::error_code ec;
    if (!m_strPath.empty() && strTarget == m_strPath && !std::filesystem::exists(strTarget, ec))
    {
        // Recreating the file where it vanished could undo a move the user
        // meant; the edits are safe in the held file, so ask where to go.
        if (m_ui.MessageBox("The font file \"" + strTarget +
                                "\" was deleted or moved since it was opened.\n"
                                "Your edits are kept. Save the font under another name?",
                            EMessageIcon::Warning, EMessageButtons::YesNo) != EMessageResult::Yes)
            return ESaveResult::Cancelled;
        const auto chosen = m_ui.FileDialog(SaveAsRequest(strTarget));
        if (!chosen)
            return ESaveResult::Cancelled;
        return OnSaveDocument(*chosen);
    }
    if (!WriteFont(strTarget))
        return ESaveResult::Failed;

    ClearChanges();
    m_strPath = strTarget;
    for (CDocumentView* pView : m_views)
        pView->OnUpdate(1);
    return ESaveResult::Saved;
}

ESaveResult CTypeloomDoc::Save(const std::string& strTitle)
{
    return m_strPath.empty() ? SaveAs(strTitle) : OnSaveDocument(m_strPath);
}

ESaveResult CTypeloomDoc::SaveAs(const std::string& strTitle)
{
    // A title may hold what a file name may not.
    std::string strName = strTitle;
    std::erase_if(strName, [](char c)
                  { return std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos; });
    const auto path = m_ui.FileDialog(SaveAsRequest(m_strPath.empty() ? strName : m_strPath));
    if (!path)
        return ESaveResult::Cancelled;
    return OnSaveDocument(*path);
}

bool CTypeloomDoc::IsModified() const
{
    if (m_bDiscarded)
        return false;
    std::vector<const CGlyph*> pending;
    for (const CDocumentView* pView : m_views)
        if (const CGlyph* pGlyph = pView->GetPendingEdit())
            pending.push_back(pGlyph);
    return WouldChangeFile(pending);
}

ECloseAnswer CTypeloomDoc::AskBeforeClose(const std::string& strTitle)
{
    if (!IsModified())
        return ECloseAnswer::Close;
    switch (m_ui.MessageBox(SaveChangesPrompt(m_strPath.empty() ? strTitle : m_strPath),
                            EMessageIcon::Question, EMessageButtons::YesNoCancel))
    {
    case EMessageResult::Yes:
        return ECloseAnswer::SaveFirst;
    case EMessageResult::No:
        return ECloseAnswer::Close;
    default:
        return ECloseAnswer::Stay;
    }
}

std::string SaveChangesPrompt(const std::string& strName)
{
    return "Save changes to " + strName + "?";
}
