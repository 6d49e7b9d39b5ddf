#pragma once

// A progress bar as the programs' logic drives it, with the platform
// control's rules: a range, a position kept inside it, and a step that
// wraps back to the start when it runs past the end.
//
// The logic owns a CProgressCtrl; the window side provides a
// CProgressBarWindow that shows it. Data exchange attaches the two (see
// CDataExchange::Control); until then the control keeps its state unseen.
class CProgressBarWindow
{
public:
    virtual ~CProgressBarWindow() = default;

    virtual void ShowRange(int nLower, int nUpper) = 0;
    virtual void ShowPos(int nPos) = 0;
};

class CProgressCtrl
{
public:
    // Shows the current state in the window from now on; nullptr detaches.
    void Attach(CProgressBarWindow* pWindow);
    bool IsAttached() const { return m_pWindow != nullptr; }

    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    // Returns the previous position. The new one is kept inside the range.
    int SetPos(int nPos);
    int GetPos() const { return m_nPos; }
    // Returns the previous step.
    int SetStep(int nStep);
    // Advances by the step; past the upper end the position wraps round to
    // the lower end. Returns the previous position.
    int StepIt();

private:
    int Clamp(int nPos) const;

    CProgressBarWindow* m_pWindow = nullptr;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
    int m_nStep = 10;
};
