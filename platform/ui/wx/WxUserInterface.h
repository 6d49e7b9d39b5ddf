#pragma once

#include "UserInterface.h"

#include <string>

#include <wx/string.h>

class wxWindow;

// The user-interface seam over real windows: wxMessageDialog and
// wxFileDialog, owned by one window or by none.
class CWxUserInterface final : public CUserInterface
{
public:
    // pOwner: the window the boxes and dialogs belong to and stay above;
    // nullptr for none (a box without an owner window).
    explicit CWxUserInterface(wxWindow* pOwner = nullptr) : m_pOwner(pOwner) {}

    using CUserInterface::MessageBox;
    EMessageResult MessageBox(const CMessageBoxRequest& request) override;
    std::optional<std::string> FileDialog(const CFileDialogRequest& request) override;

    // While a CStandIn lives, every CWxUserInterface passes its requests to
    // the given interface instead of opening windows: tests of a window put a
    // CRecordingUserInterface there to script the answers and read the texts.
    class CStandIn
    {
    public:
        explicit CStandIn(CUserInterface& ui);
        ~CStandIn();
        CStandIn(const CStandIn&) = delete;
        CStandIn& operator=(const CStandIn&) = delete;

    private:
        CUserInterface* m_pPrevious;
    };

private:
    wxWindow* m_pOwner;
};

// The framework's filter string as a wx wildcard ("Name|pattern|...");
// every file ("*") when it names no filter.
wxString WildcardFromFilter(const std::string& strFilter);

// The answer a box with these buttons gives for the wx button id it ended
// with; closing it any other way counts as its Cancel, or No where it has
// no Cancel, or OK where OK is all it has.
EMessageResult MessageResultFromWx(EMessageButtons buttons, int nWxId);

// The wx style flags (icon and buttons) of a message box.
long MessageBoxStyle(EMessageIcon icon, EMessageButtons buttons);
