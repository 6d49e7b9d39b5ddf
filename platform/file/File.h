#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

// A file opened and closed within one command, as the programs use files:
// 64-bit offsets, explicit results, and the cause of every failure kept as
// text that names the file, for messages a user can act on.
class CFile
{
public:
    enum class EMode
    {
        Read,           // existing file, reading
        ReadWrite,      // existing file, reading and writing; not created, not truncated
        CreateReadWrite // created, or emptied when it exists
    };

    CFile() = default;
    CFile(CFile&&) noexcept = default;
    CFile& operator=(CFile&&) noexcept = default;
    ~CFile() { Close(); }

    bool Open(const std::string& strPath, EMode mode);
    bool IsOpen() const { return m_pFile != nullptr; }
    // False when the data could not be flushed; the file is closed either way.
    bool Close();

    // Bytes read, fewer at the end of the file, -1 on a read error.
    long long Read(void* pBuffer, std::size_t nCount);
    bool Write(const void* pData, std::size_t nCount);
    bool Seek(std::uint64_t nOffset);
    std::optional<std::uint64_t> GetLength();

    const std::string& GetFilePath() const { return m_strPath; }
    // "<path>: <cause>" of the last failure.
    const std::string& GetLastError() const { return m_strError; }

    // For tests: the next call of the operation, in any CFile, fails with
    // nErrno, as it would on a file this user may not touch (where
    // permissions cannot stop a test run as root) or on a full disk.
    enum class EOperation
    {
        Open,
        Read,
        Write,
        Close
    };
    static void FailNext(EOperation operation, int nErrno);

private:
    bool SetError(const char* pszWhat);

    struct CCloser
    {
        void operator()(std::FILE* pFile) const { std::fclose(pFile); }
    };
    std::unique_ptr<std::FILE, CCloser> m_pFile;
    std::string m_strPath;
    std::string m_strError;
};

// Copies a file over another, replacing it. On failure, pError gets the
// cause naming the file at fault.
bool CopyFileReplacing(const std::string& strFrom, const std::string& strTo,
                       std::string* pError = nullptr);
