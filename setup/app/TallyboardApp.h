#pragma once

#include "WindowSites.h"

// The setup utility's application object: it runs the product selection
// window, and the program ends with it; there is no other message loop.
class CTallyboardApp
{
public:
    explicit CTallyboardApp(CAppSite& site) : m_site(site) {}

    // False: the program ends once the selection window has.
    bool InitInstance();

private:
    CAppSite& m_site;
};
