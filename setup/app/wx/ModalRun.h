#pragma once

class wxGUIEventLoop;
class wxWindow;

// Runs a window modally as the program's windows are run: shown, with every
// other window disabled, in an event loop of its own until End. Unlike
// wxDialog::ShowModal it leaves the toolkit unaware of a modal dialog, which
// would otherwise ignore the menu and the close box of a main window run
// from inside it.
class CModalRun
{
public:
    // The result given to End.
    int Run(wxWindow& window);
    // Ends the run once the handler that calls this returns, also from
    // inside a later window's run (a close request from the main window).
    void End(int nResult);

    // Running, and not told to end.
    bool IsRunning() const { return m_pLoop && !m_bEnding; }

private:
    wxGUIEventLoop* m_pLoop = nullptr;
    int m_nResult = 0;
    bool m_bEnding = false;
};
