#include "TypeloomView.h"

#include "CArrayExport.h"
#include "StandardOptions.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace
{
// A code as typed: what the command line takes (decimal, or hex after 0x),
// or hex with the suffix h, as codes are often written; blanks around it
// are ignored. The map's labels are hex without either: a bare "41" is read
// as decimal, so the message names both ways.
std::optional<std::uint64_t> ParseGlyphCode(std::string strText)
{
    const auto nFirst = strText.find_first_not_of(" \t");
    const auto nLast = strText.find_last_not_of(" \t");
    if (nFirst == std::string::npos)
        return std::nullopt;
    strText = strText.substr(nFirst, nLast - nFirst + 1);
    std::optional<long long> value;
    if (strText.size() > 1 && (strText.back() == 'h' || strText.back() == 'H'))
        value = ParseCommandLineInteger("0x" + strText.substr(0, strText.size() - 1));
    else
        value = ParseCommandLineInteger(strText);
    if (!value || *value < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(*value);
}
} // namespace

CTypeloomView::CTypeloomView(CTypeloomDoc& doc, CControlAccess& controls, CUserInterface& ui,
                             CControlHost& gridHost, CControlHost& mapHost)
    : CDataExchangeForm(controls, ui), m_doc(doc), m_charMap(mapHost, *this),
      m_glyphGrid(gridHost, *this)
{
    m_doc.AddView(*this);
}

CTypeloomView::~CTypeloomView()
{
    m_doc.RemoveView(*this);
}

const CGlyph* CTypeloomView::GetPendingEdit() const
{
    return m_glyphGrid.m_bModified ? &m_glyphGrid.m_glyph : nullptr;
}

void CTypeloomView::DoDataExchange(CDataExchange& dx)
{
    // The view's own filling of the text box is no edit.
    const bool bWasExchanging = m_bExchanging;
    m_bExchanging = true;
    dx.Radio(kIdWidthGroup, m_nWidthIndex);
    dx.Radio(kIdHeightGroup, m_nHeightIndex);
    dx.Text(kIdOtherHeight, m_nOtherHeight);
    dx.MinMaxInt(kIdOtherHeight, m_nOtherHeight, 1, 32);
    dx.Text(kIdGlyphText, m_strGlyphText);
    m_bExchanging = bWasExchanging;
}

std::intptr_t CTypeloomView::SendMessage(unsigned nMsg, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (nMsg)
    {
    case WM_SELECTGLYPH:
        return OnSelectGlyph(wParam, lParam);
    case WM_PIXELTOGGLED:
        return OnPixelToggled(wParam, lParam);
    default:
        return 0;
    }
}

void CTypeloomView::CommitGrid()
{
    if (!m_glyphGrid.m_bModified)
        return;
    const std::uint32_t d = m_glyphGrid.m_glyph.m_nCode - m_charMap.m_nFirstCode;
    if (d < 256)
    {
        m_charMap.StoreCell(static_cast<int>(d % 16), static_cast<int>(d / 16),
                            m_glyphGrid.m_glyph.m_bits.data());
        m_charMap.m_changed[d] = 1;
    }
    m_doc.AddChange(m_glyphGrid.m_glyph);
}

void CTypeloomView::SelectGlyphAgain()
{
    SendMessage(WM_SELECTGLYPH, static_cast<std::uintptr_t>(m_charMap.m_nSelCol),
                m_charMap.m_nSelRow);
}

std::intptr_t CTypeloomView::OnSelectGlyph(std::uintptr_t, std::intptr_t)
{
    m_glyphStep.Forget();
    CommitGrid();
    // Code and bitmap both come from the selected cell. The save sends cell
    // (0, 0) only to have the edit committed; loading that cell's bitmap
    // under the selected code would leave the grid on a mixed glyph if the
    // save then failed and no update followed.
    const int nCol = m_charMap.m_nSelCol;
    const int nRow = m_charMap.m_nSelRow;
    const std::uint32_t nCode = m_charMap.m_nFirstCode + 16u * static_cast<std::uint32_t>(nRow) +
                                static_cast<std::uint32_t>(nCol);
    m_glyphGrid.LoadGlyph(nCode, m_charMap.GetCell(nCol, nRow));
    m_glyphGrid.m_glyph.ToText(m_strGlyphText);
    UpdateData(false);
    return 1;
}

std::intptr_t CTypeloomView::OnPixelToggled(std::uintptr_t, std::intptr_t)
{
    m_glyphStep.Forget();
    m_glyphGrid.m_glyph.ToText(m_strGlyphText);
    UpdateData(false);
    return 1;
}

void CTypeloomView::OnChangeGlyphText()
{
    if (m_bExchanging)
        return;
    m_glyphStep.Forget();
    UpdateData(true);
    m_glyphGrid.m_glyph.FromText(m_strGlyphText);
    m_glyphGrid.m_bModified = 1;
    m_glyphGrid.Repaint();
}

void CTypeloomView::SetPageScrollBar()
{
    // A font without glyphs still has its one page (GetLastPage is 0 then).
    m_pageScroll = CScrollInfo{0, static_cast<int>(m_doc.GetLastPage()), 1, 0};
    m_controls.SetScrollInfo(kIdPageScrollBar, m_pageScroll);
}

void CTypeloomView::OnApply()
{
    m_glyphStep.Forget();
    const bool bValid = UpdateData(true);

    // The geometry in force stays for any part the controls cannot give:
    // a rejected "Other" height never becomes a height.
    unsigned nWidth = m_glyphGrid.m_glyph.m_nWidth;
    unsigned nHeight = m_glyphGrid.m_glyph.m_nHeight;
    if (m_nWidthIndex >= 0 && m_nWidthIndex < 4)
        nWidth = 8u * static_cast<unsigned>(m_nWidthIndex) + 8u;
    if (m_nHeightIndex >= 0 && m_nHeightIndex < 4)
        nHeight = 8u * static_cast<unsigned>(m_nHeightIndex) + 8u;
    else if (m_nHeightIndex == 4 && bValid)
        nHeight = static_cast<unsigned>(m_nOtherHeight);

    // The pending edit is committed in the geometry it was drawn in; taken
    // in the new one, its bytes would land on other glyphs at the save.
    CommitGrid();
    m_glyphGrid.m_bModified = 0;

    m_doc.SetGlyphSize(nWidth, nHeight);
    m_glyphGrid.SetGlyphSize(nWidth, nHeight);
    SetPageScrollBar();
    m_doc.ReadPage(0, m_charMap.m_pageBits.data(), m_charMap.m_changed.data());
    m_charMap.SetGlyphSize(nWidth, nHeight);
    SelectGlyphAgain();
}

bool CTypeloomView::OnVScroll(EScrollRequest request, int nThumbPos, int nBarId)
{
    if (nBarId != kIdPageScrollBar)
        return true;

    const int nMin = m_pageScroll.m_nMin;
    const int nMax = m_pageScroll.m_nMax;
    int nPos = m_pageScroll.m_nPos;
    switch (request)
    {
    case EScrollRequest::LineUp:
    case EScrollRequest::PageUp:
        if (nPos > nMin)
            --nPos;
        break;
    case EScrollRequest::LineDown:
    case EScrollRequest::PageDown:
        if (nPos < nMax)
            ++nPos;
        break;
    case EScrollRequest::ThumbTrack:
        nPos = std::clamp(nThumbPos, nMin, nMax);
        break;
    case EScrollRequest::ThumbPosition:
    case EScrollRequest::EndScroll:
        return false;
    default:
        break;
    }
    ShowPage(nPos);
    return true;
}

void CTypeloomView::ShowPage(int nPage)
{
    m_pageScroll.m_nPos = nPage;
    m_controls.SetScrollInfo(kIdPageScrollBar, m_pageScroll);
    m_charMap.m_nFirstCode = static_cast<std::uint32_t>(nPage) * 256u;
    m_doc.ReadPage(m_charMap.m_nFirstCode, m_charMap.m_pageBits.data(), m_charMap.m_changed.data());
    m_charMap.Repaint();
    SelectGlyphAgain();
}

bool CTypeloomView::OnPageCommand(int nCommand)
{
    switch (nCommand)
    {
    case kCmdPagePrevious:
        OnVScroll(EScrollRequest::PageUp, 0, kIdPageScrollBar);
        return true;
    case kCmdPageNext:
        OnVScroll(EScrollRequest::PageDown, 0, kIdPageScrollBar);
        return true;
    // The bar's own top and bottom requests keep the page, as they always
    // have; the keys go there as a thumb would.
    case kCmdPageFirst:
        OnVScroll(EScrollRequest::ThumbTrack, m_pageScroll.m_nMin, kIdPageScrollBar);
        return true;
    case kCmdPageLast:
        OnVScroll(EScrollRequest::ThumbTrack, m_pageScroll.m_nMax, kIdPageScrollBar);
        return true;
    default:
        return false;
    }
}

bool CTypeloomView::GoToCode(const std::string& strCode)
{
    const std::optional<std::uint64_t> code = ParseGlyphCode(strCode);
    if (!code)
    {
        m_ui.MessageBox("\"" + strCode +
                            "\" is not a code. Type it in hex (0x41 or 41h) or in decimal (65).",
                        EMessageIcon::Warning);
        return false;
    }
    // A font without glyphs still has its one page, whose codes can be drawn.
    const std::uint64_t nCount = m_doc.GetGlyphCount();
    const std::uint64_t nLast = nCount ? nCount - 1 : 255;
    if (*code > nLast)
    {
        char szText[160];
        std::snprintf(szText, sizeof szText,
                      "Code 0x%llX is past the end of the font: its last code is 0x%llX.",
                      static_cast<unsigned long long>(*code),
                      static_cast<unsigned long long>(nLast));
        m_ui.MessageBox(szText, EMessageIcon::Warning);
        return false;
    }
    const int nCell = static_cast<int>(*code % 256);
    m_charMap.m_nSelCol = nCell % 16;
    m_charMap.m_nSelRow = nCell / 16;
    ShowPage(static_cast<int>(*code / 256));
    return true;
}

EUndoBy CTypeloomView::OnEditUndo(int nFocusId)
{
    // A Glyph menu command is the last edit until anything else changes the
    // glyph: Undo takes exactly that back, wherever the focus is.
    if (m_glyphStep.Undo(m_glyphGrid.m_glyph, m_glyphGrid.m_bModified))
    {
        m_glyphGrid.m_glyph.ToText(m_strGlyphText);
        UpdateData(false);
        m_glyphGrid.Repaint();
        return EUndoBy::View;
    }
    if (nFocusId == kIdGlyphText)
        return EUndoBy::TextBox;
    if (nFocusId == kIdGlyphGrid)
    {
        // Reloading from the page drops every change since the glyph was
        // loaded; a committed glyph is not touched.
        m_glyphGrid.m_bModified = 0;
        SelectGlyphAgain();
    }
    return EUndoBy::View;
}

void CTypeloomView::OnInitialUpdate()
{
    UpdateData(false);
    OnUpdate(0);
    SetPageScrollBar();
    m_doc.SetGlyphSize(16, 16);
    m_glyphGrid.SetGlyphSize(16, 16);
    m_charMap.SetGlyphSize(16, 16);
}

void CTypeloomView::OnUpdate(std::intptr_t)
{
    m_doc.ReadPage(m_charMap.m_nFirstCode, m_charMap.m_pageBits.data(), m_charMap.m_changed.data());
    m_charMap.Repaint();
    SelectGlyphAgain();
}

CDownloadStart CTypeloomView::OnFileDownload() const
{
    return {m_doc.GetPathName(), static_cast<int>(m_glyphGrid.m_glyph.m_nWidth),
            static_cast<int>(m_glyphGrid.m_glyph.m_nHeight)};
}

void CTypeloomView::OnFileExport()
{
    if (m_doc.GetPathName().empty())
    {
        m_ui.MessageBox(kMsgSaveFirst, EMessageIcon::Warning);
        return;
    }
    ExportCArray(m_doc);
}

bool CTypeloomView::OnGlyphCommand(int nCommand)
{
    CGlyphTransform transform;
    switch (nCommand)
    {
    case kCmdGlyphInvert:
        transform.m_bInvert = true;
        break;
    case kCmdGlyphFlipHorizontal:
        transform.m_bFlipH = true;
        break;
    case kCmdGlyphFlipVertical:
        transform.m_bFlipV = true;
        break;
    case kCmdGlyphShiftLeft:
        transform.m_nShiftX = -1;
        break;
    case kCmdGlyphShiftRight:
        transform.m_nShiftX = 1;
        break;
    case kCmdGlyphShiftUp:
        transform.m_nShiftY = -1;
        break;
    case kCmdGlyphShiftDown:
        transform.m_nShiftY = 1;
        break;
    default:
        return false;
    }
    // The grid's glyph changes as by clicks: committed, and marked in the
    // map, when another glyph or page is chosen or the font saved.
    m_glyphStep.Apply(m_glyphGrid.m_glyph, m_glyphGrid.m_bModified, transform);
    m_glyphGrid.m_glyph.ToText(m_strGlyphText);
    UpdateData(false);
    m_glyphGrid.Repaint();
    return true;
}
