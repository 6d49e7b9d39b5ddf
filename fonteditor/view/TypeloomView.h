#pragma once

#include "CharMap.h"
#include "ControlHost.h"
#include "DataExchange.h"
#include "DocumentView.h"
#include "GlyphGrid.h"
#include "GlyphTransform.h"
#include "TypeloomCommands.h"
#include "TypeloomDoc.h"

#include <cstdint>
#include <string>

inline constexpr const char* kMsgSaveFirst = "Please save file first.";

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

// What Edit > Undo comes to: the view's own step, or the glyph text box's
// own undo, which the window runs.
enum class EUndoBy
{
    View,
    TextBox,
};

// What the Download dialog starts with: the font file (empty for a document
// never saved: the dialog says so itself) and the glyph geometry last applied.
struct CDownloadStart
{
    std::string m_strPath;
    int m_nGlyphWidth = 0;
    int m_nGlyphHeight = 0;

    bool operator==(const CDownloadStart&) const = default;
};

// The editor's view: ties the document to the glyph grid, the character map
// and the form's standard controls, and owns the edit cycle. A glyph is
// loaded from the page into the grid, edited by clicks or as text, and
// committed into the document's change list when another glyph is
// selected, the page changes, a geometry is applied or the document is
// saved.
//
// Framework-free: the wx form forwards events to the handlers below. The
// form's controls are reached by id; the grid (1001) and the map (1000) are
// painted by the view's own CGlyphGrid and CCharMap on the hosts given.
// Several views may share one document; each has its own page, selection,
// controls and pending edit. A view adds itself to its document for its life.
class CTypeloomView final : public CDataExchangeForm, public CDocumentView
{
public:
    CTypeloomView(CTypeloomDoc& doc, CControlAccess& controls, CUserInterface& ui,
                  CControlHost& gridHost, CControlHost& mapHost);
    ~CTypeloomView() override;
    CTypeloomView(const CTypeloomView&) = delete;
    CTypeloomView& operator=(const CTypeloomView&) = delete;

    // Bound to the form's controls.
    int m_nWidthIndex = 1;  // radio group 1002: width 8 x index + 8
    int m_nHeightIndex = 1; // radio group 1010: height 8 x index + 8, or 4 for "Other"
    int m_nOtherHeight = 1; // edit 1007, 1 to 32
    std::string m_strGlyphText;

    // Framework hooks.
    void OnInitialUpdate();
    void OnUpdate(std::intptr_t nHint) override;
    const CGlyph* GetPendingEdit() const override;
    std::intptr_t SendMessage(unsigned nMsg, std::uintptr_t wParam, std::intptr_t lParam) override;
    // A vertical scroll request from the bar nBarId; nThumbPos is the
    // thumb's position for ThumbTrack. True when the framework's own
    // handling should follow.
    bool OnVScroll(EScrollRequest request, int nThumbPos, int nBarId);
    // The page scroll bar (1011) as the view last showed it.
    const CScrollInfo& GetPageScroll() const { return m_pageScroll; }

    // Messages from the controls.
    std::intptr_t OnSelectGlyph(std::uintptr_t nColumn, std::intptr_t nRow);
    std::intptr_t OnPixelToggled(std::uintptr_t x, std::intptr_t y);
    // EN_CHANGE of the glyph text box.
    void OnChangeGlyphText();

    // Commands. Cut, Copy and Paste are the glyph text box's own, wherever
    // the focus is; the box tells its changes as OnChangeGlyphText.
    void OnApply();
    // nFocusId: the form's control with the keyboard focus, 0 for none.
    EUndoBy OnEditUndo(int nFocusId);
    CDownloadStart OnFileDownload() const;
    void OnFileExport();
    // A Glyph menu command (kCmdGlyph...) on the glyph being edited: an edit
    // like a click, which one Undo takes back. False for another command.
    bool OnGlyphCommand(int nCommand);
    // A page command (kCmdPage...): one page back or on, the first or the
    // last, as the scroll bar steps. False for another command.
    bool OnPageCommand(int nCommand);
    // Edit > Go to Code...: shows the page of the code typed, in hex
    // ("0x41", "41h" or with a hex letter) or decimal, and selects its glyph.
    // A code that is no number or lies past the font gets a message and
    // changes nothing; false then.
    bool GoToCode(const std::string& strCode);

    CGlyphGrid& GetGlyphGrid() { return m_glyphGrid; }
    CCharMap& GetCharMap() { return m_charMap; }
    CTypeloomDoc& GetDocument() { return m_doc; }

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void SetPageScrollBar();
    void CommitGrid();
    void SelectGlyphAgain();
    void ShowPage(int nPage);

    CTypeloomDoc& m_doc;
    CScrollInfo m_pageScroll;
    CCharMap m_charMap;
    CGlyphGrid m_glyphGrid;
    CGlyphTransformStep m_glyphStep;
    bool m_bExchanging = false;
};
