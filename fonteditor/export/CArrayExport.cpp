#include "CArrayExport.h"

#include "AtomicFile.h"
#include "File.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace
{
constexpr std::size_t kRecordSource = 16;
constexpr char kHex[] = "0123456789ABCDEF";
// Output goes to the file in blocks of about this size, never a write per record.
constexpr std::size_t kOutputBlock = std::size_t{1} << 20;
// Glyphs read from the font per read.
constexpr std::size_t kGlyphsPerRead = 8192;

char* PutByte(char* p, std::uint8_t nByte)
{
    *p++ = '0';
    *p++ = 'x';
    *p++ = kHex[nByte >> 4];
    *p++ = kHex[nByte & 0x0F];
    return p;
}

// Eight constants "0xHH, " ... "0xHH" without the last one's comma.
char* PutEight(char* p, const std::uint8_t* pBits)
{
    *p++ = ' ';
    *p++ = ' ';
    *p++ = ' ';
    for (int i = 0; i < 7; ++i)
    {
        p = PutByte(p, pBits[i]);
        *p++ = ',';
        *p++ = ' ';
    }
    return PutByte(p, pBits[7]);
}

bool SameFile(const std::string& strTarget, const std::string& strSource)
{
    if (strTarget == strSource)
        return true;
    // Another spelling of the font's own name (letter case on a folded file
    // system, "./", a link) would have the font emptied when the target is
    // created, before a byte of it is read.
    std::error_code ec;
    return std::filesystem::equivalent(strTarget, strSource, ec) && !ec;
}

class CExport
{
public:
    explicit CExport(CTypeloomDoc& doc) : m_doc(doc), m_ui(doc.GetUserInterface()) {}

    EExportResult Run()
    {
        CFileDialogRequest request;
        request.m_bOpen = false;
        request.m_strFilter = "All Files (*.*)|*.*||";
        request.m_bPathMustExist = true;
        request.m_bOverwritePrompt = true;
        request.m_bHideReadOnly = true;
        const auto target = m_ui.FileDialog(request);
        if (!target)
            return EExportResult::Cancelled;

        const std::string strSource = m_doc.GetPathName();
        if (SameFile(*target, strSource))
        {
            m_ui.MessageBox(kMsgExportToCurrentFile, EMessageIcon::Warning);
            return EExportResult::SameFile;
        }

        if (!m_source.Open(strSource, CFile::EMode::Read))
            return SourceFailed();
        // The old target stays whole until the new one is complete: a
        // failure, even one the file system reports only at close, leaves it.
        m_pTarget = std::make_unique<CAtomicFile>(*target);
        if (!m_pTarget->Open())
            return TargetFailed();
        const EExportResult result = WriteRecords();
        if (result != EExportResult::Written)
            return result;
        if (!m_pTarget->Commit())
            return TargetFailed();
        m_source.Close();
        return EExportResult::Written;
    }

private:
    EExportResult WriteRecords()
    {
        const std::size_t n = m_doc.m_glyph.Bytes();
        std::uint8_t* pBits = m_doc.m_glyph.m_bits.data();
        if (n == 0 || n > CGlyph::kMaxBytes)
            return SourceFailed("the glyph size " + std::to_string(m_doc.m_glyph.m_nWidth) + " x " +
                                std::to_string(m_doc.m_glyph.m_nHeight) + " cannot be exported");

        std::vector<std::uint8_t> input(n * kGlyphsPerRead);
        std::size_t nHeld = 0; // bytes of input not yet taken, from its start
        bool bEnd = false;
        std::uint64_t nNumber = 0;
        m_strOut.reserve(kOutputBlock + kCArrayRecordBytes);
        while (true)
        {
            if (!bEnd && nHeld < n)
            {
                const long long nRead = m_source.Read(input.data() + nHeld, input.size() - nHeld);
                if (nRead < 0)
                    return SourceFailed();
                bEnd = nRead == 0;
                nHeld += static_cast<std::size_t>(nRead);
                continue;
            }
            if (nHeld == 0)
                break;

            std::size_t nAt = 0;
            while (nHeld - nAt >= n || (bEnd && nAt < nHeld))
            {
                const std::size_t nCount = std::min(n, nHeld - nAt);
                std::memcpy(pBits, input.data() + nAt, nCount);
                // What follows a short glyph in its record is zero, never the
                // bytes of an earlier glyph left in the buffer.
                if (nCount < kRecordSource)
                    std::memset(pBits + nCount, 0, kRecordSource - nCount);
                AppendCArrayRecord(m_strOut, pBits, nNumber++);
                nAt += nCount;
                if (m_strOut.size() >= kOutputBlock && !Flush())
                    return TargetFailed();
            }
            std::memmove(input.data(), input.data() + nAt, nHeld - nAt);
            nHeld -= nAt;
        }
        if (!Flush())
            return TargetFailed();
        return EExportResult::Written;
    }

    bool Flush()
    {
        const bool bOk = m_pTarget->Write(m_strOut.data(), m_strOut.size());
        m_strOut.clear();
        return bOk;
    }

    EExportResult SourceFailed(std::string strCause = {})
    {
        if (strCause.empty())
            strCause = m_source.GetLastError();
        Abandon();
        m_ui.MessageBox("Cannot read the font file for the export.\n" + strCause,
                        EMessageIcon::Warning);
        return EExportResult::SourceError;
    }

    EExportResult TargetFailed()
    {
        const std::string strCause = m_pTarget ? m_pTarget->GetLastError() : std::string();
        Abandon();
        m_ui.MessageBox("Cannot write the C array file.\n" + strCause, EMessageIcon::Warning);
        return EExportResult::TargetError;
    }

    // A target left half written would pass for a whole export.
    void Abandon()
    {
        if (m_pTarget)
            m_pTarget->Abandon();
        m_source.Close();
    }

    CTypeloomDoc& m_doc;
    CUserInterface& m_ui;
    CFile m_source;
    std::unique_ptr<CAtomicFile> m_pTarget;
    std::string m_strOut;
};
} // namespace

void AppendCArrayRecord(std::string& strOut, const std::uint8_t* pBits, std::uint64_t nNumber)
{
    char digits[16];
    int nDigits = 0;
    do
    {
        digits[nDigits++] = kHex[nNumber & 0x0F];
        nNumber >>= 4;
    } while (nNumber != 0 || nDigits < 4);

    char record[kCArrayRecordBytes + 16];
    char* p = PutEight(record, pBits);
    std::memcpy(p, ",//0x", 5);
    p += 5;
    while (nDigits > 0)
        *p++ = digits[--nDigits];
    std::memcpy(p, ",\r\n", 3);
    p += 3;
    p = PutEight(p, pBits + 8);
    std::memcpy(p, ",\r\n\r\n\r\n", 7);
    p += 7;
    strOut.append(record, p);
}

EExportResult ExportCArray(CTypeloomDoc& doc)
{
    return CExport(doc).Run();
}
