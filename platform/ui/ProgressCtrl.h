#pragma once

#include <functional>

// A progress bar as the programs' logic drives it, with the platform
// control's rules: a range, a position kept inside it, and a step that
// wraps back to the start when it runs past the end.
//
// The logic owns a CProgressCtrl; the window side provides a
// CProgressBarWindow that shows its state. Data exchange attaches the two
// (see CDataExchange::Control); until then the control keeps its state unseen.
struct CProgressState
{
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;

    bool operator==(const CProgressState&) const = default;
};

// Shows the state it is given, at once; called on every change.
using CProgressBarWindow = std::function<void(const CProgressState&)>;

class CProgressCtrl
{
public:
    // Shows the current state in the window from now on; an empty one detaches.
    void Attach(CProgressBarWindow window);
    bool IsAttached() const { return static_cast<bool>(m_window); }

    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    // Returns the previous position. The new one is kept inside the range.
    int SetPos(int nPos);
    int GetPos() const { return m_state.m_nPos; }
    // Returns the previous step.
    int SetStep(int nStep);
    // Advances by the step; past the upper end the position wraps round to
    // the lower end. Returns the previous position.
    int StepIt();

private:
    int Clamp(int nPos) const;
    void Show() const;

    CProgressBarWindow m_window;
    CProgressState m_state;
    int m_nStep = 10;
};
