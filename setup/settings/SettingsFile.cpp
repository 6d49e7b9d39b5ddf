#include "SettingsFile.h"

#include "PrivateProfile.h"

bool CSettingsFile::Read(CSettingsValues& values)
{
    const CPrivateProfile profile(m_strPath);
    m_strError = profile.GetLastError();
    if (!m_strError.empty())
        return false;
    const CSettingsValues defaults;
    values.m_nBaudIndex =
        profile.GetInt(kSettingsSection, kSettingsBaudRateKey, defaults.m_nBaudIndex);
    values.m_nContrastIndex =
        profile.GetInt(kSettingsSection, kSettingsContrastKey, defaults.m_nContrastIndex);
    values.m_nLanguage =
        profile.GetInt(kSettingsSection, kSettingsLanguageKey, defaults.m_nLanguage);
    values.m_nCharSetIndex =
        profile.GetInt(kSettingsSection, kSettingsCharacterKey, defaults.m_nCharSetIndex);
    values.m_nCodeTableIndex =
        profile.GetInt(kSettingsSection, kSettingsCodeKey, defaults.m_nCodeTableIndex);
    return true;
}

bool CSettingsFile::Write(const CSettingsValues& values)
{
    CPrivateProfile profile(m_strPath);
    const auto write = [&profile](const char* pszKey, int nValue)
    { return profile.WriteString(kSettingsSection, pszKey, std::to_string(nValue)); };
    const bool bWritten = write(kSettingsBaudRateKey, values.m_nBaudIndex) &&
                          write(kSettingsContrastKey, values.m_nContrastIndex) &&
                          write(kSettingsLanguageKey, values.m_nLanguage) &&
                          write(kSettingsCharacterKey, values.m_nCharSetIndex) &&
                          write(kSettingsCodeKey, values.m_nCodeTableIndex);
    m_strError = profile.GetLastError();
    return bWritten;
}

std::string ModelSettingsPath(const std::string& strModel)
{
    std::string strName = strModel;
    for (char& c : strName)
        if (c == '/' || c == '\\')
            c = '-';
    return "./" + strName + ".ini";
}
