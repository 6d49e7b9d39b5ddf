#pragma once

#include "ProgressCtrl.h"

class wxGauge;

// The progress-bar seam on a wxGauge. The logic that drives a bar runs its
// whole job in one handler, so each change is shown at once: the bar is
// repainted before the call returns, without letting the user's input in.
class CWxProgressBar final
{
public:
    explicit CWxProgressBar(wxGauge& gauge) : m_gauge(gauge) {}

    void Show(const CProgressState& state);

private:
    void ShowNow();

    wxGauge& m_gauge;
};
