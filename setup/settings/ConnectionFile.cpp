#include "ConnectionFile.h"

#include "PrivateProfile.h"

#include <filesystem>
#include <system_error>

bool CConnectionFile::Exists() const
{
    std::error_code ec;
    return std::filesystem::exists(m_strPath, ec);
}

CConnectionSettings CConnectionFile::Read() const
{
    const CPrivateProfile profile(m_strPath);
    CConnectionSettings settings;
    settings.m_strModel =
        profile.GetString(kConnectionSection, kModelKey, kUnknownModel, kModelBufferSize);
    settings.m_nPort = profile.GetInt(kConnectionSection, kPortKey, kDefaultPort);
    settings.m_nBaudRate = profile.GetInt(kConnectionSection, kBaudRateKey, kDefaultBaudRate);
    return settings;
}

bool CConnectionFile::Write(const CConnectionSettings& settings)
{
    CPrivateProfile profile(m_strPath);
    const bool bWritten =
        profile.WriteString(kConnectionSection, kModelKey, settings.m_strModel) &&
        profile.WriteString(kConnectionSection, kPortKey, std::to_string(settings.m_nPort)) &&
        profile.WriteString(kConnectionSection, kBaudRateKey, std::to_string(settings.m_nBaudRate));
    m_strError = profile.GetLastError();
    return bWritten;
}
