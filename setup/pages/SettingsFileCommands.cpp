#include "SettingsFileCommands.h"

#include "SettingsFile.h"

#include <filesystem>
#include <system_error>

CSettingsFileCommands::CSettingsFileCommands(CUserInterface& ui, std::string strModel,
                                             Settings* pPage,
                                             std::function<void(const std::string&)> setCaption)
    : m_ui(ui), m_strModel(std::move(strModel)), m_pPage(pPage), m_setCaption(std::move(setCaption))
{
}

bool CSettingsFileCommands::HasPage()
{
    if (m_pPage)
        return true;
    m_ui.MessageBox("The model \"" + m_strModel + "\" has no display settings to save or load.");
    return false;
}

// Paths went through a buffer of 260 bytes; a longer one would have been
// cut to another file's name, so it is refused before anything is touched.
bool CSettingsFileCommands::AcceptPath(const std::string& strPath)
{
    if (strPath.size() <= kMaxSettingsPath)
        return true;
    m_ui.MessageBox("The path of the settings file is longer than " +
                    std::to_string(kMaxSettingsPath) + " characters:\n" + strPath);
    return false;
}

bool CSettingsFileCommands::Save(const std::string& strPath)
{
    m_pPage->UpdateData(true);
    CSettingsFile file(strPath);
    if (file.Write(m_pPage->GetFileValues()))
        return true;
    m_ui.MessageBox("The settings could not be saved.\n" + file.GetLastError());
    return false;
}

// The caption names the file without its folder.
void CSettingsFileCommands::SetCaptionFor(const std::string& strPath)
{
    m_setCaption(m_strModel + "-" + std::filesystem::path(strPath).filename().string());
}

std::optional<std::string> CSettingsFileCommands::ChoosePath(CFileDialogRequest request)
{
    request.m_strFilter = kSettingsFileFilter;
    request.m_strDefaultExt = kSettingsFileExt;
    auto path = m_ui.FileDialog(request);
    if (!path || !AcceptPath(*path))
        return std::nullopt;
    return path;
}

void CSettingsFileCommands::ReportSaved()
{
    m_ui.MessageBox(CMessageBoxRequest{kMsgSavedSuccessfully, kCaptionPrompt, EMessageIcon::None,
                                       EMessageButtons::Ok});
}

void CSettingsFileCommands::OnSaveAs()
{
    if (!HasPage())
        return;
    CFileDialogRequest request;
    request.m_bOpen = false;
    request.m_strFileName = kSaveAsInitialName;
    request.m_bHideReadOnly = true;
    request.m_bOverwritePrompt = true;
    const auto path = ChoosePath(request);
    if (!path || !Save(*path))
        return;
    SetCaptionFor(*path);
    ReportSaved();
}

void CSettingsFileCommands::OnOpenSettingFile()
{
    if (!HasPage())
        return;
    CFileDialogRequest request;
    request.m_bOpen = true;
    const auto path = ChoosePath(request);
    if (!path)
        return;
    // A name typed into the dialog may name no file: loading it as all
    // defaults would silently lose the page's values.
    std::error_code ec;
    if (!std::filesystem::exists(*path, ec))
    {
        m_ui.MessageBox("The settings file does not exist:\n" + *path);
        return;
    }
    CSettingsFile file(*path);
    CSettingsValues values;
    if (!file.Read(values))
    {
        m_ui.MessageBox("The settings could not be read.\n" + file.GetLastError());
        return;
    }
    SetCaptionFor(*path);
    m_pPage->SetFileValues(values);
    m_pPage->UpdateData(false);
}

void CSettingsFileCommands::OnSaveSettingFile()
{
    if (!HasPage())
        return;
    const std::string strPath = ModelSettingsPath(m_strModel);
    if (!AcceptPath(strPath) || !Save(strPath))
        return;
    SetCaptionFor(strPath);
    ReportSaved();
}
