#pragma once

#include <wx/filehistory.h>

class wxConfigBase;

// The recent-file list of the File menus: at most four files, the last one
// opened or saved first, shown in place of the "Recent File" item (which
// stands disabled while the list is empty) under the commands 57616 to
// 57619. Kept in the settings under "Recent File List" as "File1" to
// "File4", written again whenever the list changes.
class CRecentFileList final : public wxFileHistory
{
public:
    explicit CRecentFileList(std::size_t nMaxFiles);

    // Where the list is written when it changes; nullptr for nowhere.
    void SetStore(wxConfigBase* pConfig) { m_pStore = pConfig; }

    void AddFileToHistory(const wxString& strFile) override;
    void RemoveFileFromHistory(std::size_t nIndex) override;
    void UseMenu(wxMenu* pMenu) override;
    void AddFilesToMenu() override;
    void AddFilesToMenu(wxMenu* pMenu) override;
    void Load(const wxConfigBase& config) override;
    void Save(wxConfigBase& config) override;

private:
    void Changed();
    void ShowIn(wxMenu& menu) const;

    wxConfigBase* m_pStore = nullptr;
};
