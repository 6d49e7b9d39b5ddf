#pragma once

#include <optional>

#include <wx/gdicmn.h>

class wxBitmap;
class wxDialog;
class wxFrame;
class wxIcon;
class wxPanel;
class wxString;
class wxWindow;

// Windows come from XRC resources compiled into the program (vfd_add_xrc in
// CMake). Each window and control is named by its number, which becomes its
// id; positions and sizes are in dialog units ("215,342d"). See docs/gui.md.

// Once at start, before the first window: the XRC handlers, the image
// formats of the icons and bitmaps, and the look of the controls.
void InitWxResources();

// Builds the dialog or page named nId. Its size follows from its own font
// (the resource's), as its controls' do. In a dialog, button 1 is the
// affirmative button and 2 the cancel button (Esc), so ShowModal ends with
// those ids. False (with a wx error) when there is no such resource.
bool LoadXrcDialog(wxDialog& dialog, wxWindow* pParent, int nId);
bool LoadXrcPanel(wxPanel& panel, wxWindow* pParent, int nId);
// A main window with a menu bar: dialogs cannot carry one in wx. Its client
// area (without menu bar) is sized in its own dialog units.
bool LoadXrcFrame(wxFrame& frame, wxWindow* pParent, int nId);

// Icons and bitmaps of the resources (objects of class wxIcon and wxBitmap).
wxIcon LoadXrcIcon(int nId);
wxBitmap LoadXrcBitmap(int nId);

// "215,342d" as 215 × 342 dialog units; nothing for pixels or bad text.
std::optional<wxSize> ParseDialogUnits(const wxString& strValue);
