#include "PagewingDlg.h"

#include "CharacterScreens.h"
#include "FontAreas.h"
#include "ListItems.h"

#include <limits>

namespace
{
// SetInterChaSet(15) and SelChaCodeTable(15): the character set and code
// table the test screens show.
constexpr std::uint8_t kAsciiPrefix[3] = {0x1B, 0x52, 0x0F};
constexpr std::uint8_t kPcPrefix[3] = {0x1B, 0x74, 0x0F};
} // namespace

std::int32_t BaudFromText(const std::string& strText)
{
    constexpr std::int64_t nMax = std::numeric_limits<std::int32_t>::max();
    std::int64_t nBaud = 0;
    for (const char c : strText)
    {
        if (c < '0' || c > '9')
            break;
        nBaud = std::min(nBaud * 10 + (c - '0'), nMax);
    }
    return static_cast<std::int32_t>(nBaud);
}

void CPagewingDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_FILE_PATH, m_strFilePath);
    dx.ComboIndex(IDC_PORT, m_nPortIndex);
    dx.ComboIndex(IDC_PARITY, m_nParityIndex);
    dx.Text(IDC_BAUD, m_strBaud);
    dx.Radio(IDC_AREA_LOW, m_nArea);
    dx.ComboIndex(IDC_PAGE_NO, m_nPageIndex);
    dx.Text(IDC_STATUS, m_strStatus);
}

bool CPagewingDlg::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CPagewingDlg::OnBrowse()
{
    UpdateData(true);
    CFileDialogRequest request;
    request.m_bOpen = true;
    request.m_strFilter = kFontFileFilter;
    request.m_bHideReadOnly = true;
    if (const auto path = m_ui.FileDialog(request))
        m_strFilePath = *path;
    UpdateData(false);
}

void CPagewingDlg::OnOpen()
{
    UpdateData(true);
    const std::int32_t r =
        m_driver.OpenDComm(m_nPortIndex + 1, m_nParityIndex, BaudFromText(m_strBaud));
    m_nPortOpen = r;
    if (r != 0)
    {
        m_controls.EnableControl(IDC_OPEN, false);
        m_controls.EnableControl(IDC_CLOSE, true);
    }
    else
        m_ui.MessageBox(WithCause(kMsgOpenPortFail, m_driver.LastErrorText()), EMessageIcon::Stop);
    UpdateData(false);
}

void CPagewingDlg::OnClose()
{
    UpdateData(true);
    if (m_driver.CloseDComm() != 0)
    {
        m_controls.EnableControl(IDC_OPEN, true);
        m_controls.EnableControl(IDC_CLOSE, false);
        m_nPortOpen = 0;
    }
    else
        m_ui.MessageBox(WithCause(kMsgClosePortFail, m_driver.LastErrorText()), EMessageIcon::Stop);
    UpdateData(false);
}

void CPagewingDlg::FillPageList(int nPages)
{
    m_cbPageList.Fill(NumberItems(nPages));
    // The page chosen before stays chosen when the new list has it.
    m_cbPageList.SetCurSel(m_nPageIndex);
}

void CPagewingDlg::OnAreaLow()
{
    UpdateData(true);
    FillPageList(static_cast<int>(FontAreaPages(0)));
    UpdateData(false);
}

void CPagewingDlg::OnAreaHigh()
{
    UpdateData(true);
    FillPageList(static_cast<int>(FontAreaPages(1)));
    UpdateData(false);
}

void CPagewingDlg::OnDownloadAll()
{
    UpdateData(true);
    if (m_nPortOpen == 0)
        m_strStatus = kStatusPortNotOpened;
    else if (m_driver.DownLoadFile(m_strFilePath.c_str(), static_cast<std::uint32_t>(m_nArea)) > 0)
        m_strStatus = kStatusDownloadComplete;
    else
        m_strStatus = kStatusDownloadFail;
    UpdateData(false);
}

void CPagewingDlg::OnDownloadSinglePage()
{
    UpdateData(true);
    if (m_nPageIndex == -1)
        m_ui.MessageBox(kMsgSetPageFirst, EMessageIcon::Warning);
    else if (m_driver.DownLoadFileSinglePage(
                 m_strFilePath.c_str(), static_cast<std::uint32_t>(m_nArea), m_nPageIndex + 1) > 0)
        m_strStatus = kStatusSinglePageComplete;
    else
        m_strStatus = kStatusSinglePageFail;
    UpdateData(false);
}

void CPagewingDlg::ShowTestScreens(const std::uint8_t (&prefix)[3], std::uint8_t nFirst,
                                   std::uint8_t nLast)
{
    m_driver.SendDStr(prefix, sizeof prefix);
    ShowCharacterScreens(
        nFirst, nLast, m_clock, [this] { m_driver.ClearDisplay(); },
        [this](const std::uint8_t* pCodes, std::size_t nCount)
        { m_driver.SendDStr(pCodes, static_cast<std::uint32_t>(nCount)); });
}

void CPagewingDlg::OnDisplayAscii()
{
    UpdateData(true);
    if (m_nPortOpen == 0)
        m_strStatus = kStatusPortNotOpened;
    else
    {
        ShowTestScreens(kAsciiPrefix, 0x20, 0x7F);
        m_strStatus = kStatusAsciiComplete;
    }
    UpdateData(false);
}

void CPagewingDlg::OnDisplayPc()
{
    UpdateData(true);
    if (m_nPortOpen == 0)
        m_strStatus = kStatusPortNotOpened;
    else
    {
        ShowTestScreens(kPcPrefix, 0x80, 0xFF);
        m_strStatus = kStatusPcComplete;
    }
    UpdateData(false);
}

void CPagewingDlg::OnClearDisplay()
{
    UpdateData(true);
    m_strStatus = m_driver.ClearDisplay() != 0 ? kStatusClearComplete : kStatusClearFail;
    UpdateData(false);
}
