// The editor's glyph grid and character map, framework-free logic, in real
// painted controls: the drop-in the editor's form will make.

#include "CharMap.h"
#include "GlyphGrid.h"
#include "RecordingMessageTarget.h"
#include "WxControlHost.h"
#include "WxPaintedControl.h"
#include "WxTesting.h"

#include <wx/frame.h>
#include <wx/settings.h>

namespace
{
constexpr int kIdGrid = 1001;
constexpr int kIdMap = 1000;
} // namespace

// The logic outlives the windows, which the fixture's TearDown destroys.
class EditorControls : public CWxTest
{
protected:
    void SetUp() override
    {
        m_pFrame = new wxFrame(nullptr, wxID_ANY, "Controls", wxPoint(20, 20), wxSize(1020, 600));
        m_pGrid = new CWxPaintedControl(m_pFrame, kIdGrid, wxPoint(0, 0), wxSize(384, 385),
                                        wxBORDER_NONE, &m_grid);
        m_pMap = new CWxPaintedControl(m_pFrame, kIdMap, wxPoint(400, 0), wxSize(600, 580),
                                       wxBORDER_NONE, &m_map);
        m_gridHost.Bind(m_pGrid);
        m_mapHost.Bind(m_pMap);
        m_pFrame->Show();
        ASSERT_TRUE(PumpUntil([&] { return m_pFrame->IsShownOnScreen(); }));
        Settle();
    }

    CWxControlHost m_gridHost;
    CWxControlHost m_mapHost;
    CRecordingMessageTarget m_view;
    CGlyphGrid m_grid{m_gridHost, m_view};
    CCharMap m_map{m_mapHost, m_view};
    wxFrame* m_pFrame = nullptr;
    CWxPaintedControl* m_pGrid = nullptr;
    CWxPaintedControl* m_pMap = nullptr;
};

TEST_F(EditorControls, ClicksReachTheGridAndTheMapAndShowOnTheScreen)
{
    // 16 × 16 on 384 × 385: cells of 24 × 24. Cell (3, 2) of the grid.
    ClickControl(*m_pFrame, kIdGrid, wxPoint(3 * 24 + 12, 2 * 24 + 12));
    ASSERT_TRUE(PumpUntil([&] { return !m_view.m_messages.empty(); }));
    EXPECT_EQ(m_view.m_messages.front(), (CSentMessage{WM_PIXELTOGGLED, 3, 2}));
    EXPECT_EQ(m_grid.m_glyph.GetPixel(3, 2), 1);
    EXPECT_EQ(wxWindow::FindFocus(), m_pGrid);
    const wxPoint cell = m_pGrid->ClientToScreen(wxPoint(3 * 24 + 12, 2 * 24 + 12));
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(cell) == *wxBLACK; }));

    // Cell (5, 1) of the map: faces start at 40 + 34c, 20 + 34r.
    ClickControl(*m_pFrame, kIdMap, wxPoint(40 + 34 * 5 + 16, 20 + 34 * 1 + 16));
    ASSERT_TRUE(PumpUntil([&] { return m_view.m_messages.size() == 2; }));
    EXPECT_EQ(m_view.m_messages.back(), (CSentMessage{WM_SELECTGLYPH, 5, 1}));
    EXPECT_EQ(wxWindow::FindFocus(), m_pMap);
    const wxPoint face = m_pMap->ClientToScreen(wxPoint(40 + 34 * 5 + 2, 20 + 34 * 1 + 2));
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(face) == highlight; }));

    // Beyond the map's drawing area the control looks erased.
    const wxPoint beyond = m_pMap->ClientToScreen(wxPoint(CCharMap::kWidth + 5, 10));
    EXPECT_EQ(ScreenPixel(beyond), m_pMap->GetBackgroundColour());
    EXPECT_TRUE(SaveScreenshot(ArtifactPath("wx-editor-controls.png"), m_pFrame));
}
