#pragma once

#include "ControlHost.h"

class wxWindow;
class wxWindowDestroyEvent;

// The control-host seam on a wx window. It may exist before its window, as a
// control's logic takes its host when it is made and the window comes later:
// until Bind, and after the window is destroyed, the client size is 0 × 0
// and repaint requests do nothing.
class CWxControlHost final : public CControlHost
{
public:
    CWxControlHost() = default;
    CWxControlHost(const CWxControlHost&) = delete;
    CWxControlHost& operator=(const CWxControlHost&) = delete;
    ~CWxControlHost() override;

    // The window this host stands for; nullptr for none.
    void Bind(wxWindow* pWindow);
    wxWindow* Window() const { return m_pWindow; }

    CClientSize GetClientSize() const override;
    void Invalidate() override;

private:
    void OnWindowDestroyed(wxWindowDestroyEvent& event);

    wxWindow* m_pWindow = nullptr;
};
