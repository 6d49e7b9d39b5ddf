#include "File.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#ifdef _WIN32
#include <windows.h>
#endif

namespace
{
const char* ModeString(CFile::EMode mode)
{
    switch (mode)
    {
    case CFile::EMode::Read:
        return "rb";
    case CFile::EMode::ReadWrite:
        return "r+b";
    case CFile::EMode::CreateReadWrite:
        return "w+b";
    }
    return "rb";
}

struct CInjectedFailure
{
    std::optional<CFile::EOperation> m_operation;
    int m_nErrno = 0;
};
CInjectedFailure g_failure;

// True, with errno set, when a test asked this operation to fail.
bool Injected(CFile::EOperation operation)
{
    if (g_failure.m_operation != operation)
        return false;
    g_failure.m_operation.reset();
    errno = g_failure.m_nErrno;
    return true;
}

int SeekTo(std::FILE* pFile, std::uint64_t nOffset)
{
#ifdef _WIN32
    return _fseeki64(pFile, static_cast<long long>(nOffset), SEEK_SET);
#else
    return fseeko(pFile, static_cast<off_t>(nOffset), SEEK_SET);
#endif
}
} // namespace

void CFile::FailNext(EOperation operation, int nErrno)
{
    g_failure = {operation, nErrno};
}

bool CFile::SetError(const char* pszWhat)
{
    const int nErr = errno;
    m_strError = m_strPath + ": " + pszWhat + (nErr ? std::string(": ") + std::strerror(nErr) : "");
    return false;
}

bool CFile::Open(const std::string& strPath, EMode mode)
{
    Close();
    m_strPath = strPath;
    m_strError.clear();
    errno = 0;
    std::error_code ec;
    const auto status = std::filesystem::status(strPath, ec);
    if (std::filesystem::is_directory(status))
    {
        m_strError = strPath + ": is a folder, not a file";
        return false;
    }
    // A pipe would block the open until some writer came; a device is no font.
    if (mode != EMode::CreateReadWrite && std::filesystem::exists(status) &&
        !std::filesystem::is_regular_file(status))
    {
        m_strError = strPath + ": is not a regular file (a pipe or a device)";
        return false;
    }
    if (Injected(EOperation::Open))
        return SetError("cannot open");
    m_pFile.reset(std::fopen(strPath.c_str(), ModeString(mode)));
    if (!m_pFile)
        return SetError("cannot open");
    return true;
}

bool CFile::Close()
{
    if (!m_pFile)
        return true;
    errno = 0;
    const int nResult = std::fclose(m_pFile.release());
    if (nResult != 0 || Injected(EOperation::Close))
        return SetError("cannot finish writing");
    return true;
}

long long CFile::Read(void* pBuffer, std::size_t nCount)
{
    if (!m_pFile)
        return -1;
    errno = 0;
    if (Injected(EOperation::Read))
    {
        SetError("cannot read");
        return -1;
    }
    const std::size_t nRead = std::fread(pBuffer, 1, nCount, m_pFile.get());
    if (nRead < nCount && std::ferror(m_pFile.get()))
    {
        SetError("cannot read");
        std::clearerr(m_pFile.get());
        return -1;
    }
    return static_cast<long long>(nRead);
}

bool CFile::Write(const void* pData, std::size_t nCount)
{
    if (!m_pFile)
        return false;
    errno = 0;
    if (Injected(EOperation::Write) || std::fwrite(pData, 1, nCount, m_pFile.get()) != nCount)
        return SetError("cannot write");
    return true;
}

bool CFile::Seek(std::uint64_t nOffset)
{
    if (!m_pFile)
        return false;
    errno = 0;
    if (SeekTo(m_pFile.get(), nOffset) != 0)
        return SetError("cannot seek");
    return true;
}

std::optional<std::uint64_t> CFile::GetLength()
{
    if (!m_pFile)
        return std::nullopt;
    errno = 0;
    // The open handle, not the path: the file may have been replaced since.
#ifdef _WIN32
    const long long nHere = _ftelli64(m_pFile.get());
    const bool bEnd = _fseeki64(m_pFile.get(), 0, SEEK_END) == 0;
    const long long nEnd = bEnd ? _ftelli64(m_pFile.get()) : -1;
#else
    const off_t nHere = ftello(m_pFile.get());
    const bool bEnd = fseeko(m_pFile.get(), 0, SEEK_END) == 0;
    const off_t nEnd = bEnd ? ftello(m_pFile.get()) : -1;
#endif
    if (nHere < 0 || nEnd < 0 || SeekTo(m_pFile.get(), static_cast<std::uint64_t>(nHere)) != 0)
    {
        SetError("cannot take the length");
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(nEnd);
}

bool CopyFileReplacing(const std::string& strFrom, const std::string& strTo, std::string* pError)
{
#ifdef _WIN32
    // The platform's own copy: this toolchain's std::filesystem::copy_file
    // refuses to replace an existing file whatever the options say.
    if (::CopyFileA(strFrom.c_str(), strTo.c_str(), FALSE))
        return true;
    if (pError)
        *pError = "cannot copy " + strFrom + " to " + strTo + ": " +
                  std::system_category().message(static_cast<int>(::GetLastError()));
    return false;
#else
    std::error_code ec;
    std::filesystem::copy_file(strFrom, strTo, std::filesystem::copy_options::overwrite_existing,
                               ec);
    if (ec && pError)
        *pError = "cannot copy " + strFrom + " to " + strTo + ": " + ec.message();
    return !ec;
#endif
}
