#include "WxResources.h"

#include "WxControlStyle.h"

#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/xml/xml.h>
#include <wx/xrc/xmlres.h>

namespace
{
wxString ResourceName(int nId)
{
    return wxString::Format("%d", nId);
}

// The XRC handler converts a window's own size with the font it had before
// the resource's font was applied; its controls use the resource's font.
// Sizing again keeps window and controls in the same dialog units.
void SizeInDialogUnits(wxWindow& window, int nId)
{
    const wxXmlNode* pNode = wxXmlResource::Get()->GetResourceNode(ResourceName(nId));
    if (!pNode)
        return;
    bool bCentred = false;
    for (const wxXmlNode* pChild = pNode->GetChildren(); pChild; pChild = pChild->GetNext())
    {
        if (pChild->GetName() == "size")
        {
            if (const auto units = ParseDialogUnits(pChild->GetNodeContent()))
                window.SetClientSize(window.ConvertDialogToPixels(*units));
        }
        else if (pChild->GetName() == "centered")
            bCentred = pChild->GetNodeContent().Trim().Trim(false) == "1";
    }
    if (bCentred)
        window.Centre();
}
} // namespace

void InitWxResources()
{
    wxXmlResource::Get()->InitAllHandlers();
    wxInitAllImageHandlers();
    UseCompactControlStyle();
}

bool LoadXrcDialog(wxDialog& dialog, wxWindow* pParent, int nId)
{
    if (!wxXmlResource::Get()->LoadDialog(&dialog, pParent, ResourceName(nId)))
        return false;
    SizeInDialogUnits(dialog, nId);
    dialog.SetAffirmativeId(1);
    // Esc and the close box press button 2, which ends the dialog with 2
    // (wx would end it with wxID_CANCEL). A shell's own handler comes first.
    dialog.SetEscapeId(2);
    dialog.Bind(
        wxEVT_BUTTON,
        [&dialog](wxCommandEvent&)
        {
            if (dialog.IsModal())
                dialog.EndModal(2);
            else
                dialog.Hide();
        },
        2);
    return true;
}

bool LoadXrcPanel(wxPanel& panel, wxWindow* pParent, int nId)
{
    if (!wxXmlResource::Get()->LoadPanel(&panel, pParent, ResourceName(nId)))
        return false;
    SizeInDialogUnits(panel, nId);
    return true;
}

bool LoadXrcFrame(wxFrame& frame, wxWindow* pParent, int nId)
{
    if (!wxXmlResource::Get()->LoadFrame(&frame, pParent, ResourceName(nId)))
        return false;
    SizeInDialogUnits(frame, nId);
    return true;
}

wxIcon LoadXrcIcon(int nId)
{
    return wxXmlResource::Get()->LoadIcon(ResourceName(nId));
}

wxBitmap LoadXrcBitmap(int nId)
{
    return wxXmlResource::Get()->LoadBitmap(ResourceName(nId));
}

std::optional<wxSize> ParseDialogUnits(const wxString& strValue)
{
    wxString text = strValue;
    text.Trim().Trim(false);
    if (!text.EndsWith("d", &text) || !text.Contains(","))
        return std::nullopt;
    wxString strWidth = text.BeforeFirst(',');
    wxString strHeight = text.AfterFirst(',');
    long nWidth = 0;
    long nHeight = 0;
    if (!strWidth.Trim().Trim(false).ToLong(&nWidth) ||
        !strHeight.Trim().Trim(false).ToLong(&nHeight))
        return std::nullopt;
    return wxSize(static_cast<int>(nWidth), static_cast<int>(nHeight));
}
