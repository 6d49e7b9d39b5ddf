#include "Updata.h"

#include "DisplayText.h"
#include "PageBytes.h"

#include <vector>

Updata::Updata(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink, CClock& clock)
    : CDataExchangeForm(controls, ui), m_polelink(polelink), m_clock(clock)
{
}

void Updata::DoDataExchange(CDataExchange& dx)
{
    dx.Text(kFontPathEdit, m_strFontPath);
    dx.Radio(kInternationalRadio, m_nArea);
    dx.ComboIndex(kPageCombo, m_nPageIndex);
}

void Updata::FillPageList(int nPages)
{
    m_controls.SetItems(kPageCombo, NumberItems(nPages));
}

void Updata::Report(int nResult, const char* pszComplete, const char* pszFail)
{
    if (nResult)
        m_ui.MessageBox(pszComplete, EMessageIcon::Information);
    else
        m_ui.MessageBox(WithCause(pszFail, m_polelink.LastErrorText()), EMessageIcon::Warning);
}

void Updata::OnInitDialog()
{
    FillPageList(kInternationalPages);
    UpdateData(false);
}

void Updata::OnBrowse()
{
    UpdateData(true);
    CFileDialogRequest request;
    request.m_bOpen = true;
    request.m_strFilter = kFontFileFilter;
    request.m_bHideReadOnly = true;
    request.m_bOverwritePrompt = true;
    if (const auto path = m_ui.FileDialog(request))
        m_strFontPath = *path;
    UpdateData(false);
}

void Updata::OnUpdateAllPages()
{
    UpdateData(true);
    // The area goes as the radio index it is; the library judges it.
    const int nResult = m_polelink.UpdateFontLib(m_strFontPath, static_cast<unsigned long>(m_nArea),
                                                 kPolelinkAllPages);
    Report(nResult, kMsgDownloadComplete, kMsgDownloadFail);
}

void Updata::OnUpdateSinglePage()
{
    UpdateData(true);
    const int nPages = m_nArea == 0 ? kInternationalPages : kCodeTablePages;
    if (m_nPageIndex == -1 && !m_controls.GetText(kPageCombo).empty())
    {
        m_nPageIndex =
            TypedOrChosenIndex(m_controls, m_ui, kPageCombo, m_nPageIndex, NumberItems(nPages));
        if (m_nPageIndex == -1)
            return;
    }
    if (m_nPageIndex == -1)
    {
        m_ui.MessageBox(kMsgSetPageNumber);
        return;
    }
    const int nResult = m_polelink.UpdateFontLib(m_strFontPath, static_cast<unsigned long>(m_nArea),
                                                 static_cast<unsigned long>(m_nPageIndex + 1));
    Report(nResult, kMsgSinglePageComplete, kMsgSinglePageFail);
}

void Updata::OnSelfTest()
{
    SendSelfTest(m_polelink);
}

void Updata::OnDisplayInternational()
{
    UpdateData(true);
    SendBytes(m_polelink, {0x1B, 0x52, 0x0F});
    SendInternationalScreens(m_polelink, m_clock);
    UpdateData(false);
}

void Updata::OnDisplayCodeTable()
{
    // Shows the stored values first: an edit not yet taken is dropped.
    UpdateData(false);
    SendBytes(m_polelink, {0x1B, 0x74, 0x0F});
    SendCodeTableScreens(m_polelink, m_clock);
    UpdateData(false);
}

void Updata::OnInternational()
{
    UpdateData(true);
    FillPageList(kInternationalPages);
    UpdateData(false);
}

void Updata::OnCodeTable()
{
    UpdateData(true);
    FillPageList(kCodeTablePages);
    UpdateData(false);
}
