#include "RecentFileList.h"

#include "RecentFileLabel.h"
#include "TypeloomCommands.h"
#include "TypeloomStrings.h"
#include "WxText.h"

#include <wx/config.h>
#include <wx/filename.h>
#include <wx/menu.h>

namespace
{
constexpr const char* kSection = "/Recent File List";

wxString EntryKey(std::size_t nIndex)
{
    return wxString::Format("%s/File%d", kSection, static_cast<int>(nIndex + 1));
}

wxString FullPath(const wxString& strFile)
{
    wxFileName name(strFile);
    name.MakeAbsolute();
    return name.GetFullPath();
}
} // namespace

CRecentFileList::CRecentFileList(std::size_t nMaxFiles)
    : wxFileHistory(nMaxFiles, WxCommandId(kCmdFileMru1))
{
}

void CRecentFileList::AddFileToHistory(const wxString& strFile)
{
    const wxString path = FullPath(strFile);
    const int nOld = m_fileHistory.Index(path);
    if (nOld == 0)
        return;
    if (nOld != wxNOT_FOUND)
        m_fileHistory.RemoveAt(static_cast<std::size_t>(nOld));
    m_fileHistory.Insert(path, 0);
    while (m_fileHistory.size() > m_fileMaxFiles)
        m_fileHistory.RemoveAt(m_fileHistory.size() - 1);
    Changed();
}

void CRecentFileList::RemoveFileFromHistory(std::size_t nIndex)
{
    if (nIndex >= m_fileHistory.size())
        return;
    m_fileHistory.RemoveAt(nIndex);
    Changed();
}

void CRecentFileList::Changed()
{
    AddFilesToMenu();
    if (m_pStore)
        Save(*m_pStore);
}

void CRecentFileList::UseMenu(wxMenu* pMenu)
{
    wxFileHistory::UseMenu(pMenu);
    if (pMenu)
        ShowIn(*pMenu);
}

void CRecentFileList::AddFilesToMenu()
{
    for (wxObject* pMenu : m_fileMenus)
        ShowIn(*static_cast<wxMenu*>(pMenu));
}

void CRecentFileList::AddFilesToMenu(wxMenu* pMenu)
{
    if (pMenu)
        ShowIn(*pMenu);
}

void CRecentFileList::ShowIn(wxMenu& menu) const
{
    std::size_t nPos = 0;
    wxMenuItem* pFirst = menu.FindChildItem(WxCommandId(kCmdFileMru1), &nPos);
    if (!pFirst)
        return;
    for (int i = 1; i < kRecentFileCount; ++i)
        if (menu.FindChildItem(WxCommandId(kCmdFileMru1 + i)))
            menu.Destroy(WxCommandId(kCmdFileMru1 + i));

    const CCommandPrompt* pPrompt = FindCommandPrompt(kCmdFileMru1);
    const wxString help = ToWx(pPrompt ? pPrompt->m_pszPrompt : "");
    if (m_fileHistory.empty())
    {
        pFirst->SetItemLabel(kRecentFilePlaceholder);
        pFirst->Enable(false);
        return;
    }
    for (std::size_t i = 0; i < m_fileHistory.size(); ++i)
    {
        const wxString label = ToWx(RecentFileLabel(i, PathFromWx(m_fileHistory[i])));
        if (i == 0)
        {
            pFirst->SetItemLabel(label);
            pFirst->Enable(true);
        }
        else
            menu.Insert(nPos + i, WxCommandId(kCmdFileMru1 + static_cast<int>(i)), label, help);
    }
}

void CRecentFileList::Load(const wxConfigBase& config)
{
    m_fileHistory.clear();
    for (std::size_t i = 0; i < m_fileMaxFiles; ++i)
    {
        wxString path;
        if (config.Read(EntryKey(i), &path) && !path.empty())
            m_fileHistory.Add(path);
    }
    AddFilesToMenu();
}

void CRecentFileList::Save(wxConfigBase& config)
{
    config.DeleteGroup(kSection);
    for (std::size_t i = 0; i < m_fileHistory.size(); ++i)
        config.Write(EntryKey(i), m_fileHistory[i]);
    config.Flush();
}
