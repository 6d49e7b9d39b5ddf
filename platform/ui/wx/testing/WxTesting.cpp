#include "WxTesting.h"

#include "WxControlAccess.h"

#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace
{
using CClock = std::chrono::steady_clock;

bool HasWork()
{
    wxEventLoopBase* pLoop = wxEventLoopBase::GetActive();
    return (pLoop && pLoop->Pending()) || (wxTheApp && wxTheApp->HasPendingEvents());
}
} // namespace

void PumpEvents()
{
    wxEventLoopBase* pLoop = wxEventLoopBase::GetActive();
    // Inside a yield (a handler run by one) the outer loop runs the events.
    if (pLoop && !pLoop->IsYielding())
        pLoop->Yield(true);
    if (wxTheApp)
    {
        wxTheApp->ProcessPendingEvents();
        // Windows closed with Destroy() go away at idle time.
        wxTheApp->ProcessIdle();
    }
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = CClock::now() + timeout;
    for (;;)
    {
        PumpEvents();
        if (condition())
            return true;
        if (CClock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
}

void Settle(std::chrono::milliseconds timeout)
{
    const auto deadline = CClock::now() + timeout;
    auto quietSince = CClock::now();
    while (CClock::now() < deadline)
    {
        if (HasWork())
        {
            PumpEvents();
            quietSince = CClock::now();
        }
        else if (CClock::now() - quietSince >= 150ms)
            return;
        else
            std::this_thread::sleep_for(5ms);
    }
}

void ClickAt(const wxPoint& screenPoint)
{
    wxUIActionSimulator simulator;
    simulator.MouseMove(screenPoint);
    EXPECT_TRUE(PumpUntil([&] { return wxGetMousePosition() == screenPoint; }))
        << "the pointer did not reach " << screenPoint.x << "," << screenPoint.y;
    simulator.MouseClick();
    PumpEvents();
}

void ClickControl(const wxWindow& window, int nId, std::optional<wxPoint> clientPoint)
{
    const wxWindow* pControl = FindControl(window, nId);
    ASSERT_NE(pControl, nullptr) << "no control " << nId;
    ASSERT_TRUE(pControl->IsShownOnScreen()) << "control " << nId << " is not on the screen";
    const wxSize size = pControl->GetClientSize();
    ClickAt(pControl->ClientToScreen(clientPoint.value_or(wxPoint(size.x / 2, size.y / 2))));
}

void TypeText(const std::string& strText)
{
    wxUIActionSimulator simulator;
    simulator.Text(strText.c_str());
    PumpEvents();
}

void PressKey(int nKeyCode)
{
    wxUIActionSimulator simulator;
    simulator.Char(nKeyCode);
    PumpEvents();
}

std::string ArtifactPath(const std::string& strName)
{
    return std::string(VFDKIT_BINARY_DIR) + "/artifacts/" + strName;
}

namespace
{
wxBitmap GrabScreen(const wxRect& rect)
{
    wxBitmap bitmap(rect.width, rect.height, 24);
    wxMemoryDC memory(bitmap);
    wxScreenDC screen;
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    memory.SelectObject(wxNullBitmap);
    return bitmap;
}
} // namespace

bool SaveScreenshot(const std::string& strPath, const wxWindow* pWindow)
{
    const wxRect rect =
        pWindow ? pWindow->GetScreenRect() : wxRect(wxPoint(0, 0), wxGetDisplaySize());
    if (rect.IsEmpty())
        return false;
    const wxString path = wxString::FromUTF8(strPath);
    if (!wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
        return false;
    return GrabScreen(rect).SaveFile(path, wxBITMAP_TYPE_PNG);
}

wxColour ScreenPixel(const wxPoint& screenPoint)
{
    const wxImage image = GrabScreen(wxRect(screenPoint, wxSize(1, 1))).ConvertToImage();
    return wxColour(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
}

void CWxTest::TearDown()
{
    const std::vector<wxWindow*> windows(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
    for (wxWindow* pWindow : windows)
        pWindow->Destroy();
    EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.empty(); }))
        << "windows left open after the test";
}
