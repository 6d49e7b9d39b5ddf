#include "WxResources.h"

#include "WxControlStyle.h"

#include <vector>

#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/math.h>
#include <wx/panel.h>
#include <wx/xml/xml.h>
#include <wx/xrc/xmlres.h>

namespace
{
wxString ResourceName(int nId)
{
    return wxString::Format("%d", nId);
}

// Dialog units as a window's own font gives them. wx converts with the font
// of the window's top-level window, which for a page or a form in a window
// of another font is not the resource's.
wxSize OwnDialogBase(const wxWindow& window)
{
    wxSize base = window.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    base.x = (base.x / 26 + 1) / 2;
    return base;
}

// As wx converts, with the base given.
wxSize ToPixels(const wxSize& units, const wxSize& base)
{
    return wxSize(wxMulDivInt32(units.x, base.x, 4), wxMulDivInt32(units.y, base.y, 8));
}

std::optional<wxSize> DialogUnitsOf(const wxXmlNode& object, const wxString& strProperty)
{
    for (const wxXmlNode* pChild = object.GetChildren(); pChild; pChild = pChild->GetNext())
        if (pChild->GetName() == strProperty)
            return ParseDialogUnits(pChild->GetNodeContent());
    return std::nullopt;
}

// The controls of a window whose top-level window has another font: placed
// again in the window's own dialog units. The resource's objects and the
// window's children come in the same order.
void PlaceChildrenInOwnUnits(wxWindow& window, const wxXmlNode& node, const wxSize& base)
{
    std::vector<const wxXmlNode*> objects;
    for (const wxXmlNode* pChild = node.GetChildren(); pChild; pChild = pChild->GetNext())
        if (pChild->GetName() == "object")
            objects.push_back(pChild);
    const wxWindowList& children = window.GetChildren();
    if (objects.size() != children.size())
        return;
    std::size_t i = 0;
    for (wxWindow* pChild : children)
    {
        const wxXmlNode& object = *objects[i++];
        const auto pos = DialogUnitsOf(object, "pos");
        const auto size = DialogUnitsOf(object, "size");
        if (pos)
            pChild->Move(wxPoint(ToPixels(*pos, base).x, ToPixels(*pos, base).y));
        if (size)
            pChild->SetSize(ToPixels(*size, base));
    }
}

// The XRC handler converts a window's own size with the font it had before
// the resource's font was applied; its controls use the resource's font.
// Sizing again keeps window and controls in the same dialog units.
void SizeInDialogUnits(wxWindow& window, int nId)
{
    const wxXmlNode* pNode = wxXmlResource::Get()->GetResourceNode(ResourceName(nId));
    if (!pNode)
        return;
    const wxSize base = OwnDialogBase(window);
    const bool bOwnUnits = base != window.ConvertDialogToPixels(wxSize(4, 8));
    if (bOwnUnits)
        PlaceChildrenInOwnUnits(window, *pNode, base);
    bool bCentred = false;
    for (const wxXmlNode* pChild = pNode->GetChildren(); pChild; pChild = pChild->GetNext())
    {
        if (pChild->GetName() == "size")
        {
            if (const auto units = ParseDialogUnits(pChild->GetNodeContent()))
                window.SetClientSize(bOwnUnits ? ToPixels(*units, base)
                                               : window.ConvertDialogToPixels(*units));
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
