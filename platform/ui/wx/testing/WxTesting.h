#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include <wx/colour.h>
#include <wx/gdicmn.h>

#include <gtest/gtest.h>

class wxWindow;

// Helpers for tests that drive real windows under a (virtual) X display.
// The main of these tests (WxTestMain.cpp) starts wx without running its main
// loop; the helpers below run the events instead.

using namespace std::chrono_literals;

// Runs the events that are waiting, then returns.
void PumpEvents();
// Runs events until condition() holds (true) or the time-out passes (false).
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));
// Runs events until none has come for a short while, or the time-out passes:
// for a window to finish drawing.
void Settle(std::chrono::milliseconds timeout = std::chrono::seconds(2));

// Real input through the X server (XTEST), as a user's: the pointer moves to
// the point, the left button goes down and up. Events run meanwhile, so a
// modal dialog the click opens runs (and must be answered, see
// CModalDialogWatcher) before this returns.
void ClickAt(const wxPoint& screenPoint);
// Clicks control nId of window at a point in its client area (its centre when
// not given). Fails the test when there is no such control or it is hidden.
void ClickControl(const wxWindow& window, int nId, std::optional<wxPoint> clientPoint = {});
// Types plain ASCII text into the window that has the keyboard focus.
void TypeText(const std::string& strText);
// Presses one key (a wxKeyCode such as WXK_RETURN, or an ASCII character).
void PressKey(int nKeyCode);

// Where a test leaves files for people to look at: build/artifacts/<name>.
std::string ArtifactPath(const std::string& strName);
// Saves what the screen shows of the window (the whole screen for nullptr)
// as a PNG file. False when it cannot.
bool SaveScreenshot(const std::string& strPath, const wxWindow* pWindow = nullptr);
// The colour of one pixel of the screen.
wxColour ScreenPixel(const wxPoint& screenPoint);

// Base of GUI test fixtures: top-level windows a test leaves open are
// destroyed after it, so every test starts on an empty screen.
class CWxTest : public ::testing::Test
{
protected:
    void TearDown() override;
};
