#include "TallyboardDlg.h"

#include "Models.h"

#include <vector>

int BaudIndexOfRate(int nBaudRate)
{
    for (std::size_t i = 0; i + 1 < kConnectionBaudRates.size(); ++i)
        if (kConnectionBaudRates[i] == nBaudRate)
            return static_cast<int>(i);
    return static_cast<int>(kConnectionBaudRates.size()) - 1;
}

int RateOfBaudIndex(int nIndex)
{
    if (nIndex >= 0 && nIndex + 1 < static_cast<int>(kConnectionBaudRates.size()))
        return kConnectionBaudRates[static_cast<std::size_t>(nIndex)];
    return kConnectionBaudRates.back();
}

CTallyboardDlg::CTallyboardDlg(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink,
                               std::string strConnectionPath)
    : CDataExchangeForm(controls, ui), m_polelink(polelink),
      m_connectionFile(std::move(strConnectionPath))
{
}

void CTallyboardDlg::DoDataExchange(CDataExchange& dx)
{
    dx.ComboIndex(kPortList, m_nPortIndex);
    dx.ComboIndex(kBaudList, m_nBaudIndex);
}

void CTallyboardDlg::OnInitDialog()
{
    m_controls.SetValue(kComRadio, 0);
    m_controls.SetItems(kModelList, ListItems(kModels));
    m_controls.SetValue(kModelList, 0);
    m_controls.SetItems(kPortList, ListItems(kPortItems));
    m_controls.SetItems(kBaudList, ListItems(kConnectionBaudRates));
    m_nPreview = kPreviewBitmaps[0];
    if (!m_connectionFile.Exists())
    {
        // The library's first start: it may set up its connection file.
        m_polelink.OpenComm();
        return;
    }
    // The stored model is not read: the list always starts on the first.
    const CConnectionSettings stored = m_connectionFile.Read();
    m_nPortIndex = stored.m_nPort >= 1 && stored.m_nPort <= static_cast<int>(kPortItems.size())
                       ? stored.m_nPort - 1
                       : -1;
    m_nBaudIndex = BaudIndexOfRate(stored.m_nBaudRate);
    UpdateData(false);
}

void CTallyboardDlg::OnSelChangeModel()
{
    const int nModel = m_controls.GetValue(kModelList);
    if (nModel >= 0 && nModel < static_cast<int>(kPreviewBitmaps.size()))
        m_nPreview = kPreviewBitmaps[static_cast<std::size_t>(nModel)];
}

void CTallyboardDlg::OnCom()
{
    for (const int nId : {kPortLabel, kPortList, kBaudLabel, kBaudList})
        m_controls.ShowControl(nId, true);
}

std::string ConnectionInUseText(const CConnectionSettings& settings)
{
    return "model \"" + settings.m_strModel + "\", port " +
           (settings.m_nPort > 0 ? "COM" + std::to_string(settings.m_nPort) : std::string("none")) +
           ", " + std::to_string(settings.m_nBaudRate) + " baud";
}

CConnectionSettings CTallyboardDlg::ChosenConnection()
{
    UpdateData(true);
    const int nModel = m_controls.GetValue(kModelList);
    CConnectionSettings chosen;
    chosen.m_strModel =
        nModel >= 0 && nModel < static_cast<int>(kModels.size()) ? kModels[nModel] : "";
    chosen.m_nPort = m_nPortIndex + 1;
    chosen.m_nBaudRate = RateOfBaudIndex(m_nBaudIndex);
    return chosen;
}

void CTallyboardDlg::OnOK()
{
    m_polelink.CloseComm();
    // Nothing is written when the file is not there: the library keeps it.
    if (m_connectionFile.Exists() && !m_connectionFile.Write(ChosenConnection()))
    {
        const std::string strCause = m_connectionFile.GetLastError();
        m_ui.MessageBox(std::string(kMsgConnectionNotSaved) +
                        ConnectionInUseText(m_connectionFile.Read()) + ".\n" + strCause);
    }
}
