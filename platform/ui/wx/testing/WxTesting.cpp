#include "WxTesting.h"

#include "WxControlAccess.h"

#include <gtk/gtk.h>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/image.h>
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
// What the X server shows, read back from the root window.
wxImage GrabScreen(const wxRect& rect)
{
    GdkPixbuf* pPixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), rect.x, rect.y,
                                                    rect.width, rect.height);
    if (!pPixbuf)
        return wxImage();
    wxImage image(rect.width, rect.height);
    const int nChannels = gdk_pixbuf_get_n_channels(pPixbuf);
    const int nStride = gdk_pixbuf_get_rowstride(pPixbuf);
    const guchar* pPixels = gdk_pixbuf_get_pixels(pPixbuf);
    for (int y = 0; y < rect.height; ++y)
        for (int x = 0; x < rect.width; ++x)
        {
            const guchar* p = pPixels + y * nStride + x * nChannels;
            image.SetRGB(x, y, p[0], p[1], p[2]);
        }
    g_object_unref(pPixbuf);
    return image;
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
    const wxImage image = GrabScreen(rect);
    return image.IsOk() && image.SaveFile(path, wxBITMAP_TYPE_PNG);
}

wxColour ScreenPixel(const wxPoint& screenPoint)
{
    const wxImage image = GrabScreen(wxRect(screenPoint, wxSize(1, 1)));
    if (!image.IsOk())
        return wxNullColour;
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
