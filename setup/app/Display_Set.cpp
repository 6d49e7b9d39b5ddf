#include "Display_Set.h"

#include "Models.h"
#include "Settings.h"

#include <algorithm>

Display_Set::Display_Set(CMainWindowSite& site, CControlAccess& controls, CUserInterface& ui,
                         CUserInterface& ownerlessUi, CPolelink& polelink, CClock& clock,
                         std::string strConnectionPath)
    : m_site(site), m_controls(controls), m_ui(ui), m_ownerlessUi(ownerlessUi),
      m_polelink(polelink), m_clock(clock), m_connectionFile(std::move(strConnectionPath))
{
}

void Display_Set::OnInitDialog()
{
    const CConnectionSettings connection = m_connectionFile.Read();
    m_strModel = connection.m_strModel;
    m_strPortText = "COM" + std::to_string(connection.m_nPort);
    m_strBaudText = std::to_string(connection.m_nBaudRate);

    m_controls.SetText(kMainDialog, m_strModel + kUntitledSuffix);
    BuildPageSet();
    m_controls.SetText(kPortText, m_strPortText);
    m_controls.SetText(kBaudText, m_strBaudText);
    m_polelink.OpenComm();
    CheckConnection();
}

void Display_Set::CheckConnection()
{
    // Without a connection every button would otherwise do nothing, silently.
    const std::string strCause = m_polelink.LastErrorText();
    if (strCause == m_strConnectionProblem)
        return;
    m_strConnectionProblem = strCause;
    m_site.ShowConnectionProblem(strCause);
}

void Display_Set::BuildPageSet()
{
    std::vector<const CPageRow*> tabs;
    for (const CPageRow& row : PageTable())
    {
        if (std::find(row.m_models.begin(), row.m_models.end(), m_strModel) == row.m_models.end())
            continue;
        const CPageWindowParts window = m_site.CreatePage(row.m_nDialogId);
        m_pages.push_back(
            row.m_make(CPageParts{window.m_controls, window.m_ui, m_polelink, m_clock, m_display}));
        m_pages.back().RunAfterEachCommand([this] { CheckConnection(); });
        if (row.m_pszTab)
            tabs.push_back(&row);
    }
    std::stable_sort(tabs.begin(), tabs.end(),
                     [](const CPageRow* pA, const CPageRow* pB)
                     { return pA->m_nTabOrder < pB->m_nTabOrder; });
    std::vector<std::string> tabTexts;
    for (const CPageRow* pRow : tabs)
    {
        tabTexts.emplace_back(pRow->m_pszTab);
        m_tabPages.push_back(pRow->m_nDialogId);
    }
    if (!tabTexts.empty())
        m_controls.SetItems(kTabControl, std::move(tabTexts));

    Settings* pSettings = FindPage<Settings>();
    if (m_strModel == kModelVF620 && pSettings)
        pSettings->AdaptToVF620();
    if (m_strModel == kModelVF510)
    {
        m_controls.EnableControl(kOpenButton, false);
        m_controls.EnableControl(kSaveButton, false);
        m_controls.EnableControl(kSaveItem, false);
        m_controls.EnableControl(kSaveAsItem, false);
    }
    // The first tab's page, or the single page.
    if (!m_tabPages.empty())
        m_controls.ShowControl(m_tabPages.front(), true);
    else if (!m_pages.empty())
        m_controls.ShowControl(m_pages.front().DialogId(), true);

    m_fileCommands.emplace(m_ui, m_strModel, pSettings,
                           [this](const std::string& strCaption)
                           { m_controls.SetText(kMainDialog, strCaption); });
}

void Display_Set::OnSelChangeTab(int nTab)
{
    if (nTab < 0 || nTab >= static_cast<int>(m_tabPages.size()))
        return;
    const int nShown = m_tabPages[static_cast<std::size_t>(nTab)];
    for (const int nPage : m_tabPages)
        m_controls.ShowControl(nPage, nPage == nShown);
}

void Display_Set::OnReselectDisplay()
{
    m_site.EndDialog(kIdCancel);
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
    const EMessageResult answer = m_ownerlessUi.MessageBox(CMessageBoxRequest{
        kMsgConfirmExit, std::string(), EMessageIcon::None, EMessageButtons::OkCancel});
    if (answer != EMessageResult::Ok)
        return;
    // OK ends the program; Cancel (reselecting) goes back to the selection.
    m_site.EndDialog(kIdOk);
}
