#include "WholeFile.h"

#include "AtomicFile.h"
#include "File.h"

bool WriteFileWhole(const std::string& strPath, std::span<const std::uint8_t> bytes,
                    std::string& strError)
{
    return WriteFileAtomically(strPath, bytes.data(), bytes.size(), &strError);
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
