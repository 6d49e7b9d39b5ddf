#include "WholeFile.h"

#include "File.h"

#include <filesystem>
#include <random>

namespace
{
// CFile names the temporary file; the user knows only the target.
std::string NamingTarget(std::string strError, const std::string& strTemp,
                         const std::string& strPath)
{
    if (strError.compare(0, strTemp.size(), strTemp) == 0)
        strError.replace(0, strTemp.size(), strPath);
    return strError;
}
} // namespace

bool WriteFileWhole(const std::string& strPath, std::span<const std::uint8_t> bytes,
                    std::string& strError)
{
    // The folder's own file system, so the rename cannot become a copy.
    const std::string strTemp =
        strPath + ".tmp" + std::to_string(std::random_device{}() & 0xFFFFFF);
    CFile file;
    bool bOk = file.Open(strTemp, CFile::EMode::CreateReadWrite);
    if (!bOk)
    {
        strError = NamingTarget(file.GetLastError(), strTemp, strPath);
        return false;
    }
    bOk = file.Write(bytes.data(), bytes.size());
    bOk = file.Close() && bOk;
    if (bOk)
    {
        std::error_code ec;
        std::filesystem::rename(strTemp, strPath, ec);
        if (!ec)
            return true;
        strError = strPath + ": " + ec.message();
    }
    else
    {
        strError = NamingTarget(file.GetLastError(), strTemp, strPath);
    }
    std::error_code ec;
    std::filesystem::remove(strTemp, ec);
    return false;
}

std::optional<std::vector<std::uint8_t>> ReadFileWhole(const std::string& strPath,
                                                       std::size_t nMaxBytes, std::string& strError)
{
    CFile file;
    std::optional<std::uint64_t> nLength;
    if (!file.Open(strPath, CFile::EMode::Read) || !(nLength = file.GetLength()))
    {
        strError = file.GetLastError();
        return std::nullopt;
    }
    if (*nLength > nMaxBytes)
    {
        strError = strPath + ": larger than " + std::to_string(nMaxBytes >> 20) + " MiB";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*nLength));
    const long long nRead = file.Read(bytes.data(), bytes.size());
    if (nRead < 0)
    {
        strError = file.GetLastError();
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(nRead));
    return bytes;
}
