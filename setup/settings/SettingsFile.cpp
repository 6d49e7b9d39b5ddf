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
    // One write for the five keys, so that a failure leaves none half-done.
    CPrivateProfile profile(m_strPath);
    const bool bWritten = profile.WriteStrings(
        kSettingsSection, {{kSettingsBaudRateKey, std::to_string(values.m_nBaudIndex)},
                           {kSettingsContrastKey, std::to_string(values.m_nContrastIndex)},
                           {kSettingsLanguageKey, std::to_string(values.m_nLanguage)},
                           {kSettingsCharacterKey, std::to_string(values.m_nCharSetIndex)},
                           {kSettingsCodeKey, std::to_string(values.m_nCodeTableIndex)}});
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
