#pragma once

#include "DataExchange.h"
#include "Painter.h"
#include "WxControlAccess.h"
#include "WxControlHost.h"
#include "WxPaintedControl.h"
#include "WxUserInterface.h"

#include <optional>
#include <string>
#include <vector>

#include <wx/dialog.h>

// The probe window of the layer's tests, built as the programs' windows are:
// framework-free logic (a form and a painter) behind a thin wx shell loaded
// from the XRC resource 300 (Probe.xrc).

// Ids of the probe's controls.
enum EProbeId
{
    kIdOk = 1,
    kIdCancel = 2,
    kIdName = 1000,
    kIdModels = 1001,
    kIdWidth8 = 1002,
    kIdWidth24 = 1004,
    kIdWidth32 = 1005,
    kIdWidth40 = 1006,
    kIdHeight = 1007,
    kIdAreaLow = 1010,
    kIdAreaHigh = 1011,
    kIdBaud = 1012,
    kIdPort = 1017,
    kIdVerbose = 1020,
    kIdProgress = 1021,
    kIdCanvas = 1030,
    kIdOpenSettings = 1040,
    kIdBrowse = 1041
};

class CProbeForm final : public CDataExchangeForm
{
public:
    using CDataExchangeForm::CDataExchangeForm;

    std::string m_strName;
    int m_nWidthIndex = 1;
    int m_nAreaIndex = 0;
    int m_nHeight = 1;
    int m_nPortIndex = 0;
    std::string m_strBaud = "9600";
    int m_nModelIndex = -1;
    int m_nVerbose = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};

// Paints a fixed pattern over its client area and records what reaches it;
// a click takes the focus and asks for a repaint, as the editor's controls do.
class CProbePainter final : public CPainter
{
public:
    struct CClick
    {
        int x, y;
        CClientSize m_client;
        bool operator==(const CClick&) const = default;
    };

    explicit CProbePainter(CControlHost& host) : m_host(host) {}

    CClientSize BitmapSize() const override { return m_host.GetClientSize(); }
    void OnPaint(CCanvas& canvas) const override;
    void OnLButtonUp(int x, int y) override;

    // Where the pattern puts its square (client coordinates): red, and green
    // once a click has arrived.
    static constexpr int kRedLeft = 40, kRedTop = 12, kRedRight = 72, kRedBottom = 44;
    static constexpr CRgb kRed{220, 0, 0};
    static constexpr CRgb kGreen{0, 160, 0};

    mutable int m_nPaints = 0;
    std::vector<CClick> m_clicks;

private:
    CControlHost& m_host;
};

class CProbeDialog final : public wxDialog
{
public:
    explicit CProbeDialog(wxWindow* pParent = nullptr);

    CWxControlAccess m_controls{*this};
    CWxUserInterface m_ui{this};
    CProbeForm m_form{m_controls, m_ui};
    CWxControlHost m_canvasHost;
    CProbePainter m_painter{m_canvasHost};
    CWxPaintedControl* m_pCanvas = nullptr;

    int m_nAccepted = 0; // OK presses whose entries all passed
    bool m_bBrowsed = false;
    std::optional<std::string> m_browsedPath;
    std::string m_strBrowseFolder; // where Browse starts

private:
    void OnOk(wxCommandEvent& event);
    void OnBrowse(wxCommandEvent& event);
};
