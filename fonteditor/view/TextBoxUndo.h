#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The one-level undo of the glyph text box, kept as a multi-line edit keeps
// its own: one step, the text before the user's last change.
//
// - Text the program puts in the box leaves nothing to undo.
// - A run of typing is one step: characters typed one after another at the
//   caret, and deletions (Backspace, Delete) that continue at the same place.
//   Moving the caret and typing elsewhere starts a new step.
// - A cut or a paste is a step of its own.
// - Undoing is itself a change that can be undone: a second undo restores
//   what the first one took back.
//
// Texts are the control's (UTF-8); positions are byte offsets into them.
class CTextBoxUndo
{
public:
    // The program set the text.
    void Reset(const std::string& strText);
    // The user changed the text to strText, leaving the caret at nCaret.
    void Typed(const std::string& strText, std::size_t nCaret);
    // A cut or paste changed the text to strText.
    void Replaced(const std::string& strText);
    // The text to restore, nothing when there is no step to undo.
    std::optional<std::string> Undo();

    bool CanUndo() const { return m_before.has_value(); }
    const std::string& Text() const { return m_strText; }

private:
    void NewStep(const std::string& strText);

    std::string m_strText;               // the text as last known
    std::optional<std::string> m_before; // the text before the last step
    bool m_bInRun = false;               // the last step was typing
    std::size_t m_nRunCaret = 0;         // where that typing left the caret
};
