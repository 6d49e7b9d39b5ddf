#pragma once

#include <cstddef>
#include <string>

// A settings file: the values of the display settings page under a name the
// user chooses or under the model's own name. Each value is a list or radio
// index, -1 meaning no selection; "BaudRate" is the baud list's index, not a
// rate.
inline constexpr const char* kSettingsSection = "Polelink_Set";
inline constexpr const char* kSettingsBaudRateKey = "BaudRate";
inline constexpr const char* kSettingsContrastKey = "Contrast";
inline constexpr const char* kSettingsLanguageKey = "Language";
inline constexpr const char* kSettingsCharacterKey = "Character";
inline constexpr const char* kSettingsCodeKey = "Code";

// Paths pass through a buffer of 260 bytes: longer ones are refused.
inline constexpr std::size_t kMaxSettingsPath = 259;

// The values a settings file stores, with the defaults a missing key reads as.
struct CSettingsValues
{
    int m_nBaudIndex = -1;
    int m_nContrastIndex = -1;
    int m_nLanguage = 0;
    int m_nCharSetIndex = 0;
    int m_nCodeTableIndex = 0;

    bool operator==(const CSettingsValues&) const = default;
};

class CSettingsFile
{
public:
    explicit CSettingsFile(std::string strPath) : m_strPath(std::move(strPath)) {}

    // The five keys with their defaults; a missing file or one without the
    // section gives all defaults. False, with GetLastError, when the file is
    // there but cannot be read: values are then left as they were.
    bool Read(CSettingsValues& values);
    // Writes the five keys in their order ("%d"). False, with GetLastError
    // naming the file, when a key could not be written.
    bool Write(const CSettingsValues& values);

    const std::string& GetPath() const { return m_strPath; }
    const std::string& GetLastError() const { return m_strError; }

private:
    std::string m_strPath;
    std::string m_strError;
};

// The model's own settings file: "./" + model + ".ini", with a "/" in the
// name ("VF730/VF730E") turned into "-" so that it names a file and not a
// folder: "./VF730-VF730E.ini".
std::string ModelSettingsPath(const std::string& strModel);
