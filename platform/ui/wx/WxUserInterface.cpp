#include "WxUserInterface.h"

#include "WxText.h"

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace
{
CUserInterface* g_pStandIn = nullptr;

// The normal pointer over a box that waits for the user, even inside a
// command that shows the busy one; the busy one again after.
class CNormalPointer
{
public:
    CNormalPointer()
    {
        for (; wxIsBusy(); ++m_nLevels)
            wxEndBusyCursor();
    }
    ~CNormalPointer()
    {
        for (; m_nLevels > 0; --m_nLevels)
            wxBeginBusyCursor();
    }
    CNormalPointer(const CNormalPointer&) = delete;
    CNormalPointer& operator=(const CNormalPointer&) = delete;

private:
    int m_nLevels = 0;
};

wxString AppTitle()
{
    return wxTheApp ? wxTheApp->GetAppDisplayName() : wxString();
}
} // namespace

CWxUserInterface::CStandIn::CStandIn(CUserInterface& ui) : m_pPrevious(g_pStandIn)
{
    g_pStandIn = &ui;
}

CWxUserInterface::CStandIn::~CStandIn()
{
    g_pStandIn = m_pPrevious;
}

wxString WildcardFromFilter(const std::string& strFilter)
{
    wxString wildcard;
    for (const CFileFilter& filter : ParseFilterString(strFilter))
    {
        if (!wildcard.empty())
            wildcard += '|';
        wxString pattern = ToWx(filter.m_strPattern);
        // "*.*" means every file; elsewhere than on Windows it would hide
        // the files without an extension, as many font files are.
        if (pattern == "*.*")
            pattern = wxFileSelectorDefaultWildcardStr;
        wildcard += ToWx(filter.m_strName) + '|' + pattern;
    }
    return wildcard.empty() ? wxString(wxFileSelectorDefaultWildcardStr) : wildcard;
}

EMessageResult MessageResultFromWx(EMessageButtons buttons, int nWxId)
{
    switch (buttons)
    {
    case EMessageButtons::Ok:
        return EMessageResult::Ok;
    case EMessageButtons::OkCancel:
        return nWxId == wxID_OK ? EMessageResult::Ok : EMessageResult::Cancel;
    case EMessageButtons::YesNo:
        return nWxId == wxID_YES ? EMessageResult::Yes : EMessageResult::No;
    case EMessageButtons::YesNoCancel:
        break;
    }
    if (nWxId == wxID_YES)
        return EMessageResult::Yes;
    return nWxId == wxID_NO ? EMessageResult::No : EMessageResult::Cancel;
}

long MessageBoxStyle(EMessageIcon icon, EMessageButtons buttons)
{
    long style = 0;
    switch (icon)
    {
    case EMessageIcon::None:
        style |= wxICON_NONE;
        break;
    case EMessageIcon::Information:
        style |= wxICON_INFORMATION;
        break;
    case EMessageIcon::Warning:
        style |= wxICON_WARNING;
        break;
    case EMessageIcon::Stop:
        style |= wxICON_ERROR;
        break;
    case EMessageIcon::Question:
        style |= wxICON_QUESTION;
        break;
    }
    switch (buttons)
    {
    case EMessageButtons::Ok:
        style |= wxOK;
        break;
    case EMessageButtons::OkCancel:
        style |= wxOK | wxCANCEL;
        break;
    case EMessageButtons::YesNo:
        style |= wxYES_NO;
        break;
    case EMessageButtons::YesNoCancel:
        style |= wxYES_NO | wxCANCEL;
        break;
    }
    return style;
}

EMessageResult CWxUserInterface::MessageBox(const CMessageBoxRequest& request)
{
    if (g_pStandIn)
        return g_pStandIn->MessageBox(request);

    long style = MessageBoxStyle(request.m_icon, request.m_buttons) | wxCENTRE;
    if (!m_pOwner)
        style |= wxDIALOG_NO_PARENT;
    const wxString caption = request.m_strCaption ? ToWx(*request.m_strCaption) : AppTitle();
    wxMessageDialog box(m_pOwner, ToWx(request.m_strText), caption, style);
    const CNormalPointer pointer;
    return MessageResultFromWx(request.m_buttons, box.ShowModal());
}

std::optional<std::string> CWxUserInterface::FileDialog(const CFileDialogRequest& request)
{
    if (g_pStandIn)
        return g_pStandIn->FileDialog(request);

    long style = request.m_bOpen ? wxFD_OPEN : wxFD_SAVE;
    if (request.m_bFileMustExist)
        style |= wxFD_FILE_MUST_EXIST;
    // An open dialog overwrites nothing; wx refuses the flag there.
    if (request.m_bOverwritePrompt && !request.m_bOpen)
        style |= wxFD_OVERWRITE_PROMPT;
    // The read-only check box and the path check need no flag here: wx's
    // dialogs have no such box, and they only return folders that exist.
    const CNormalPointer pointer;
    const wxString caption = request.m_bOpen ? "Open" : "Save As";
    const wxString wildcard = WildcardFromFilter(request.m_strFilter);

    wxFileName initial(PathToWx(request.m_strFileName));
    for (;;)
    {
        wxFileDialog dialog(m_pOwner, caption, initial.GetPath(), initial.GetFullName(), wildcard,
                            style);
        if (dialog.ShowModal() != wxID_OK)
            return std::nullopt;
        const std::string strChosen = PathFromWx(dialog.GetPath());
        const std::string strPath = ApplyDefaultExtension(strChosen, request.m_strDefaultExt);
        if (strPath == strChosen)
            return strPath;

        // A file picked from the list keeps its name; the default extension
        // completes only a name that names no file.
        if (request.m_bOpen)
            return wxFileExists(PathToWx(strChosen)) ? strChosen : strPath;

        // The dialog asked about the name as typed; the completed name may
        // be another file that exists.
        if (request.m_bOverwritePrompt && wxFileExists(PathToWx(strPath)))
        {
            const CMessageBoxRequest confirm{
                strPath + " already exists.\nDo you want to replace it?", "Confirm Save As",
                EMessageIcon::Warning, EMessageButtons::YesNo};
            if (MessageBox(confirm) != EMessageResult::Yes)
            {
                initial.Assign(PathToWx(strChosen));
                continue;
            }
        }
        return strPath;
    }
}
