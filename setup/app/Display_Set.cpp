#include "Display_Set.h"

#include "Models.h"

#include <algorithm>

namespace
{
constexpr int kOk = 1;
constexpr int kCancel = 2;
} // namespace

Display_Set::Display_Set(CMainWindowSite& site, CPolelink& polelink, CClock& clock,
                         std::string strConnectionPath)
    : m_site(site), m_polelink(polelink), m_connectionFile(std::move(strConnectionPath)),
      m_diagnostic(site.PageControls(kDiagnosticPage), polelink, clock),
      m_settings(site.PageControls(kSettingsPage), site.PageControls(kSettingsPage),
                 site.PageUserInterface(kSettingsPage), polelink),
      m_updata(site.PageControls(kUpdataPage), site.PageControls(kUpdataPage),
               site.PageUserInterface(kUpdataPage), polelink, clock),
      m_vf510(site.PageControls(kVF510Page), site.PageControls(kVF510Page),
              site.PageUserInterface(kVF510Page), polelink)
{
}

void Display_Set::OnInitDialog()
{
    for (std::size_t i = 0; i < kButtonIcons.size(); ++i)
        m_site.SetButtonIcon(kOpenButton + static_cast<int>(i), kButtonIcons[i]);

    const CConnectionSettings connection = m_connectionFile.Read();
    m_strModel = connection.m_strModel;
    m_strPortText = "COM" + std::to_string(connection.m_nPort);
    m_strBaudText = std::to_string(connection.m_nBaudRate);

    m_site.SetCaption(m_strModel + kUntitledSuffix);
    BuildPageSet();
    m_site.Controls().SetText(kPortText, m_strPortText);
    m_site.Controls().SetText(kBaudText, m_strBaudText);
    m_polelink.OpenComm();

    for (std::size_t i = 0; i < kButtonToolTips.size(); ++i)
        m_site.AddToolTip(kOpenButton + static_cast<int>(i), kButtonToolTips[i]);
    m_site.ActivateToolTips();
}

// Page windows fill the tab control's client area but for a 1-pixel edge
// and the row of tabs along its top.
void Display_Set::CreatePage(int nDialogId)
{
    m_site.CreatePage(nDialogId);
    const CRect client = m_site.Tabs().GetClientRect();
    m_site.MovePage(nDialogId, CRect{client.m_nLeft + 1, client.m_nTop + 21, client.m_nRight - 1,
                                     client.m_nBottom - 1});
    m_pageWindows.push_back(nDialogId);
    if (nDialogId == kSettingsPage)
        m_settings.OnInitDialog();
    else if (nDialogId == kUpdataPage)
        m_updata.OnInitDialog();
    else if (nDialogId == kVF510Page)
        m_vf510.OnInitDialog();
}

void Display_Set::BuildPageSet()
{
    CTabControl& tabs = m_site.Tabs();
    int nShownFirst = 0;
    if (m_strModel == kModelVF730)
    {
        tabs.InsertItem(0, "Settings");
        tabs.InsertItem(1, "Update Font");
        tabs.InsertItem(2, "Diagnostic");
        CreatePage(kDiagnosticPage);
        CreatePage(kSettingsPage);
        CreatePage(kUpdataPage);
        m_tabPages = {kSettingsPage, kUpdataPage, kDiagnosticPage};
        nShownFirst = kSettingsPage;
    }
    else if (m_strModel == kModelVF620)
    {
        tabs.InsertItem(0, "Settings");
        tabs.InsertItem(1, "Diagnostic");
        CreatePage(kDiagnosticPage);
        CreatePage(kSettingsPage);
        m_settings.AdaptToVF620();
        m_tabPages = {kSettingsPage, kDiagnosticPage};
        nShownFirst = kSettingsPage;
    }
    else if (m_strModel == kModelVF510)
    {
        CreatePage(kVF510Page);
        nShownFirst = kVF510Page;
        m_site.Controls().EnableControl(kOpenButton, false);
        m_site.Controls().EnableControl(kSaveButton, false);
        m_site.GrayMenuItem(kDrivesMenu, kSavePosition);
        m_site.GrayMenuItem(kDrivesMenu, kSaveAsPosition);
    }
    if (nShownFirst)
        m_site.ShowPage(nShownFirst, true);

    const bool bHasSettings =
        std::find(m_pageWindows.begin(), m_pageWindows.end(), kSettingsPage) != m_pageWindows.end();
    m_fileCommands.emplace(m_site.UserInterface(), m_strModel, bHasSettings ? &m_settings : nullptr,
                           [this](const std::string& strCaption)
                           { m_site.SetCaption(strCaption); });
}

void Display_Set::OnSelChangeTab()
{
    const int nTab = m_site.Tabs().GetCurSel();
    if (nTab < 0 || nTab >= static_cast<int>(m_tabPages.size()))
        return;
    const int nShown = m_tabPages[static_cast<std::size_t>(nTab)];
    for (const int nPage : m_tabPages)
        m_site.ShowPage(nPage, nPage == nShown);
}

void Display_Set::OnReselectDisplay()
{
    m_site.EndDialog(kCancel);
}

void Display_Set::OnSave() {}

void Display_Set::OnSaveAs()
{
    if (m_fileCommands)
        m_fileCommands->OnSaveAs();
}

void Display_Set::OnExit()
{
    ExitWithConfirmation();
}

void Display_Set::OnUserManual() {}

void Display_Set::OnOpenSettingFile()
{
    if (m_fileCommands)
        m_fileCommands->OnOpenSettingFile();
}

void Display_Set::OnSaveSettingFile()
{
    if (m_fileCommands)
        m_fileCommands->OnSaveSettingFile();
}

void Display_Set::OnHelp() {}

void Display_Set::OnClose()
{
    ExitWithConfirmation();
}

void Display_Set::OnCancel()
{
    OnReselectDisplay();
}

void Display_Set::ExitWithConfirmation()
{
    const EMessageResult answer = m_site.OwnerlessUserInterface().MessageBox(CMessageBoxRequest{
        kMsgConfirmExit, std::string(), EMessageIcon::None, EMessageButtons::OkCancel});
    if (answer != EMessageResult::Ok)
        return;
    // Closing the selection window ends its modal run and with it the
    // program, once this window's run has ended too.
    m_site.CloseWindowByCaption(kSelectionWindowCaption);
    m_site.EndDialog(kOk);
}
