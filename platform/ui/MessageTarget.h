#pragma once

#include <cstdint>

// A window that takes messages synchronously, as a custom control's parent
// takes its notifications: the call returns when the handling is complete.
class CMessageTarget
{
public:
    virtual ~CMessageTarget() = default;
    virtual std::intptr_t SendMessage(unsigned nMsg, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;
};
