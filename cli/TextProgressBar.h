#pragma once

#include "ProgressCtrl.h"

#include <ostream>
#include <string>

// A progress bar drawn as one line of text, redrawn in place with a
// carriage return: "[##########----------]  12/34". Meant for a terminal;
// when the output is not one the bar stays silent.
class CTextProgressBar final
{
public:
    CTextProgressBar(std::ostream& out, bool bEnabled) : m_out(out), m_bEnabled(bEnabled) {}

    void Show(const CProgressState& state);
    // Wipes the bar off its line, so that a message can take the line.
    void Clear();

    // The line for a position, without the carriage return.
    static std::string Format(int nPos, int nLower, int nUpper, int nWidth = 30);

private:
    std::ostream& m_out;
    bool m_bEnabled;
    bool m_bDrawn = false;
    CProgressState m_state;
};
