#pragma once

#include <functional>

// How a control of a page reports its command to the page's handler.
enum class EPageEvent
{
    Click,
    // A button whose command keeps the window busy a while (font transfers,
    // the character screens): the pointer says so meanwhile.
    BusyClick,
    // A radio button, on every click, also of the checked one.
    RadioClick,
    // A check box, once its click has toggled it.
    CheckClick,
};

// One command of a page class: its control, the event and the handler. Each
// page lists its own beside its class, for its window to bind.
template <class TPage>
struct CPageCommand
{
    int m_nControlId;
    EPageEvent m_event;
    void (TPage::*m_pHandler)();
};

// A command bound to one page object.
struct CBoundPageCommand
{
    int m_nControlId;
    EPageEvent m_event;
    std::function<void()> m_run;
};
