#pragma once

#include "Settings.h"
#include "UserInterface.h"

#include <functional>
#include <optional>
#include <string>

// The main window's three settings-file commands: "Save as..." (menu),
// "Open Setting File" and "Save Setting File" (tool bar). They move the
// display settings page's values to and from settings files and keep the
// window's caption naming the file ("VF620-MySetting.ini").
//
// A failure is never reported as success: "Saved successfully." comes only
// when the file was written, anything else gets a message naming the file,
// and the caption and the page's values change only when the command
// succeeded.
class CSettingsFileCommands
{
public:
    // strModel: the main window's model name. pPage: its settings page, or
    // nullptr when the model has none (the commands then only say so).
    // setCaption: puts a new caption on the main window.
    CSettingsFileCommands(CUserInterface& ui, std::string strModel, Settings* pPage,
                          std::function<void(const std::string&)> setCaption);

    void OnSaveAs();
    void OnOpenSettingFile();
    void OnSaveSettingFile();

private:
    bool HasPage();
    bool AcceptPath(const std::string& strPath);
    // The file dialog with the settings files' filter; the path when the
    // user chose one that can be used.
    std::optional<std::string> ChoosePath(CFileDialogRequest request);
    void ReportSaved();
    bool Save(const std::string& strPath);
    void SetCaptionFor(const std::string& strPath);

    CUserInterface& m_ui;
    std::string m_strModel;
    Settings* m_pPage;
    std::function<void(const std::string&)> m_setCaption;
};

inline constexpr const char* kSettingsFileFilter = "文本文件(*.ini)|*.ini|所有文件(*.*)|*.*||";
inline constexpr const char* kSettingsFileExt = "ini";
inline constexpr const char* kSaveAsInitialName = "MySetting";
inline constexpr const char* kMsgSavedSuccessfully = "Saved successfully.";
inline constexpr const char* kCaptionPrompt = "prompt";
