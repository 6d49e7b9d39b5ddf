#include "PageEvents.h"

#include "WxControlAccess.h"
#include "WxRadioGroup.h"

#include <functional>

#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/utils.h>

namespace
{
void OnClick(wxPanel& panel, int nId, std::function<void()> handler)
{
    panel.Bind(
        wxEVT_BUTTON, [handler = std::move(handler)](wxCommandEvent&) { handler(); }, nId);
}

// For commands that block the window: the pointer says so.
void OnLongClick(wxPanel& panel, int nId, std::function<void()> handler)
{
    OnClick(panel, nId,
            [handler = std::move(handler)]
            {
                wxBusyCursor busy;
                handler();
            });
}

void OnRadioClick(wxPanel& panel, int nId, std::function<void()> handler)
{
    if (auto* pButton = dynamic_cast<wxRadioButton*>(FindControl(panel, nId)))
        BindRadioClick(*pButton, std::move(handler));
    else
        wxFAIL_MSG(wxString::Format("no radio button %d", nId));
}
} // namespace

void BindPageCommands(wxPanel& panel, const std::vector<CBoundPageCommand>& commands)
{
    for (const CBoundPageCommand& command : commands)
    {
        const int nId = command.m_nControlId;
        switch (command.m_event)
        {
        case EPageEvent::Click:
            OnClick(panel, nId, command.m_run);
            break;
        case EPageEvent::BusyClick:
            OnLongClick(panel, nId, command.m_run);
            break;
        case EPageEvent::RadioClick:
            OnRadioClick(panel, nId, command.m_run);
            break;
        case EPageEvent::CheckClick:
            panel.Bind(
                wxEVT_CHECKBOX, [run = command.m_run](wxCommandEvent&) { run(); }, nId);
            break;
        }
    }
}
