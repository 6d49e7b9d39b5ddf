#pragma once

#include "TextBoxUndo.h"

#include <functional>
#include <string>

#include <wx/string.h>

class wxTextCtrl;

// The glyph text box's commands on its multi-line wxTextCtrl: the clipboard
// carries plain text, and the undo is the box's own single step
// (CTextBoxUndo), the same on every platform. Every change the user or these
// commands make reaches m_onChange once; text the program puts in the box
// (OnTextSet) does not.
class CWxTextBox
{
public:
    void Attach(wxTextCtrl* pText);

    void Cut();   // the selection to the clipboard, removed
    void Copy();  // the selection to the clipboard
    void Paste(); // the clipboard's text at the caret, over the selection
    void Undo();  // back to the text before the last change

    // The program put strText in the box.
    void OnTextSet(const std::string& strText);

    std::function<void()> m_onChange;

private:
    void OnUserChange();
    // Puts strText in the box with the caret at nCaret, as one change.
    void ReplaceAll(const wxString& strText, long nCaret);
    bool SelectionToClipboard();

    wxTextCtrl* m_pText = nullptr;
    CTextBoxUndo m_undo;
};
