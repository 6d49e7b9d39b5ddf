#include "ProbeDialog.h"

#include "WxResources.h"

void CProbeForm::DoDataExchange(CDataExchange& dx)
{
    dx.Text(kIdName, m_strName);
    dx.Radio(kIdWidth8, m_nWidthIndex);
    dx.Radio(kIdAreaLow, m_nAreaIndex);
    dx.Text(kIdHeight, m_nHeight);
    dx.MinMaxInt(kIdHeight, m_nHeight, 1, 32);
    dx.ComboIndex(kIdPort, m_nPortIndex);
    dx.Text(kIdBaud, m_strBaud);
    dx.ComboIndex(kIdModels, m_nModelIndex);
    dx.Check(kIdVerbose, m_nVerbose);
}

void CProbePainter::OnPaint(CCanvas& canvas) const
{
    ++m_nPaints;
    const CClientSize size = BitmapSize();
    canvas.FillRect(0, 0, size.m_nWidth, size.m_nHeight, kWhite);
    const CRgb shadow = canvas.SystemColour(ESystemColour::ButtonShadow);
    for (int x = 16; x < size.m_nWidth; x += 16)
        canvas.Line(x, 0, x, size.m_nHeight, x % 64 == 0 ? 2 : 1, x % 64 == 0 ? kBlack : shadow);
    for (int y = 16; y < size.m_nHeight; y += 16)
        canvas.Line(0, y, size.m_nWidth, y, 1, shadow);
    canvas.FillRect(kRedLeft, kRedTop, kRedRight, kRedBottom, m_clicks.empty() ? kRed : kGreen);
    canvas.FillRect(80, 60, 96, 76, canvas.SystemColour(ESystemColour::Highlight));
    canvas.Text(100, 4, "probe", kBlack);
}

void CProbePainter::OnLButtonUp(int x, int y)
{
    m_clicks.push_back(CClick{x, y, m_host.GetClientSize()});
    m_host.Invalidate();
}

CProbeDialog::CProbeDialog(wxWindow* pParent)
{
    LoadXrcDialog(*this, pParent, 300);
    m_pCanvas = CWxPaintedControl::ReplacePlaceholder(*this, kIdCanvas, &m_painter);
    m_canvasHost.Bind(m_pCanvas);
    Bind(wxEVT_BUTTON, &CProbeDialog::OnOk, this, kIdOk);
    Bind(wxEVT_BUTTON, &CProbeDialog::OnBrowse, this, kIdBrowse);
    m_form.UpdateData(false);
}

void CProbeDialog::OnOk(wxCommandEvent&)
{
    if (m_form.UpdateData(true))
        ++m_nAccepted;
}

void CProbeDialog::OnBrowse(wxCommandEvent&)
{
    CFileDialogRequest request;
    request.m_strFilter = "Font Files (*.bin)|*.bin|All Files (*.*)|*.*||";
    request.m_strDefaultExt = "bin";
    request.m_strFileName = m_strBrowseFolder + "/start.bin";
    request.m_bFileMustExist = true;
    request.m_bHideReadOnly = true;
    m_browsedPath = m_ui.FileDialog(request);
    m_bBrowsed = true;
}
