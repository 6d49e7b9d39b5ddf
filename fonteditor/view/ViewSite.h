#pragma once

#include "ControlHost.h"
#include "DataExchange.h"
#include "DownloadLauncher.h"
#include "UserInterface.h"

// The standard controls of the editor's form, as far as the view's logic
// uses them beyond data exchange. The wx layer implements them over the real
// controls; tests use fakes.

// The multi-line glyph text box: its clipboard commands and its own
// one-level undo. A change of its text, by the user or by these commands,
// reaches the view as CTypeloomView::OnChangeGlyphText.
class CTextBox
{
public:
    virtual ~CTextBox() = default;
    virtual void Cut() = 0;   // the selection to the clipboard, removed
    virtual void Copy() = 0;  // the selection to the clipboard
    virtual void Paste() = 0; // the clipboard's text at the caret, over the selection
    virtual void Undo() = 0;  // back to the text before the last change
};

struct CScrollInfo
{
    int m_nMin = 0;
    int m_nMax = 0;
    int m_nPage = 0;
    int m_nPos = 0;

    bool operator==(const CScrollInfo&) const = default;
};

// The page scroll bar. Setters redraw the bar; the position is kept within
// the range as a real bar keeps it.
class CScrollBar
{
public:
    virtual ~CScrollBar() = default;
    virtual void GetScrollRange(int& nMin, int& nMax) const = 0;
    virtual int GetScrollPos() const = 0;
    virtual void SetScrollPos(int nPos) = 0;
    virtual void SetScrollInfo(const CScrollInfo& info) = 0;
};

// Scroll requests as a scroll bar sends them.
enum class EScrollRequest
{
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition, // the thumb was released
    ThumbTrack,    // the thumb is being dragged; the request carries its position
    Top,
    Bottom,
    EndScroll
};

// Everything the view needs of its window.
class CTypeloomViewSite
{
public:
    virtual ~CTypeloomViewSite() = default;

    virtual CControlAccess& GetControls() = 0;
    virtual CUserInterface& GetUserInterface() = 0;
    // Attaches the custom controls to their places on the form (the map on
    // 1000, the grid on 1001) and the text box and scroll bar to theirs.
    // Called once, by the first data exchange.
    virtual void BindControls() = 0;
    virtual CTextBox& GetTextBox() = 0;
    virtual CScrollBar& GetPageScrollBar() = 0;
    virtual CControlHost& GetGridHost() = 0;
    virtual CControlHost& GetMapHost() = 0;
    // Id of the form's control that has the keyboard focus; 0 for none of them.
    virtual int GetFocusId() const = 0;
    // Shrinks the frame window around the form when it is larger.
    virtual void ResizeParentToFit() = 0;
    virtual CDownloadLauncher& GetDownloadLauncher() = 0;
};
