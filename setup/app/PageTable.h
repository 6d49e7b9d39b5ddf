#pragma once

#include "Clock.h"
#include "DataExchange.h"
#include "PageBytes.h"
#include "PageCommand.h"
#include "Polelink.h"
#include "UserInterface.h"

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

// What a page is made over once its window exists.
struct CPageParts
{
    CControlAccess& m_controls;
    CUserInterface& m_ui;
    CPolelink& m_polelink;
    CClock& m_clock;
    CDisplayState& m_display;
};

// One page of the main window: the object of its class and its commands,
// bound to that object for the window.
class CPage
{
public:
    template <class TPage, std::size_t N>
    CPage(std::shared_ptr<TPage> pPage, const std::array<CPageCommand<TPage>, N>& commands)
        : m_nDialogId(TPage::kDialogId), m_pPage(pPage)
    {
        for (const CPageCommand<TPage>& command : commands)
            m_commands.push_back({command.m_nControlId, command.m_event,
                                  [p = pPage.get(), h = command.m_pHandler] { (p->*h)(); }});
    }

    int DialogId() const { return m_nDialogId; }
    const std::vector<CBoundPageCommand>& Commands() const { return m_commands; }
    // Has after run once each command of the page has run.
    void RunAfterEachCommand(const std::function<void()>& after)
    {
        for (CBoundPageCommand& command : m_commands)
            command.m_run = [run = command.m_run, after]
            {
                run();
                after();
            };
    }
    // The object when the page is of class TPage, else nullptr.
    template <class TPage>
    TPage* As() const
    {
        return m_nDialogId == TPage::kDialogId ? static_cast<TPage*>(m_pPage.get()) : nullptr;
    }

private:
    int m_nDialogId;
    std::shared_ptr<void> m_pPage;
    std::vector<CBoundPageCommand> m_commands;
};

// The main window's pages, one row each: adding a page is a row here and
// the page's own files (its class with its commands, its resource in
// Pages.xrc).
struct CPageRow
{
    int m_nDialogId;
    // The tab's text, nullptr for the single page of a model without tabs.
    const char* m_pszTab;
    // The tabs go in this order, whatever the order of the rows.
    int m_nTabOrder;
    // The models that have the page.
    std::vector<std::string_view> m_models;
    // Makes the page over its window's controls and fills them.
    CPage (*m_make)(const CPageParts& parts);
};

// In the order the pages' windows are made.
const std::vector<CPageRow>& PageTable();
