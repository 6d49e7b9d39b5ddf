#include "TypeloomFixture.h"

#include "WxText.h"

#include <fstream>
#include <gtk/gtk.h>

#include <wx/fileconf.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

void InitTypeloomResources();

void CTypeloomTest::SetUp()
{
    static const bool s_bResources = (InitTypeloomResources(), true);
    (void)s_bResources;
    m_settings = m_dir / "Typeloom.conf";
    Restart();
}

void CTypeloomTest::Restart()
{
    if (m_pShell)
    {
        m_pShell->CloseWithoutSaving();
        ASSERT_TRUE(PumpUntil([] { return wxTopLevelWindows.empty(); }));
        m_pShell.reset();
    }
    m_pShell = std::make_unique<CTypeloomShell>(
        std::make_unique<wxFileConfig>("Typeloom", kSettingsVendor, PathToWx(m_settings.string()),
                                       wxString(), wxCONFIG_USE_LOCAL_FILE));
    ASSERT_TRUE(m_pShell->Start());
    ASSERT_TRUE(PumpUntil([&] { return Frame().IsShownOnScreen(); }));
    Settle();
}

void CTypeloomTest::TearDown()
{
    if (m_pShell)
        m_pShell->CloseWithoutSaving();
    CWxTest::TearDown();
    m_pShell.reset();
}

std::vector<CWxTypeloomDoc*> CTypeloomTest::Documents()
{
    std::vector<CWxTypeloomDoc*> docs;
    for (wxDocument* pDoc : Docs().GetDocumentsVector())
        docs.push_back(dynamic_cast<CWxTypeloomDoc*>(pDoc));
    return docs;
}

CWxTypeloomForm& CTypeloomTest::Form()
{
    auto* pView = dynamic_cast<CWxTypeloomView*>(Docs().GetCurrentView());
    EXPECT_NE(pView, nullptr) << "no active document window";
    return *pView->GetForm();
}

wxMenuBar* CTypeloomTest::ShownMenuBar()
{
    if (wxMDIChildFrame* pChild = Frame().GetActiveChild())
        if (wxMenuBar* pMenuBar = pChild->GetMenuBar())
            return pMenuBar;
    return Frame().GetMenuBar();
}

std::vector<std::string> CTypeloomTest::MenuTitles(wxMenuBar* pMenuBar)
{
    std::vector<std::string> titles;
    for (std::size_t i = 0; pMenuBar && i < pMenuBar->GetMenuCount(); ++i)
        titles.push_back(FromWx(pMenuBar->GetMenuLabel(i)));
    return titles;
}

std::vector<std::string> CTypeloomTest::ItemLabels(const wxMenu& menu)
{
    std::vector<std::string> labels;
    for (const wxMenuItem* pItem : menu.GetMenuItems())
        labels.push_back(pItem->IsSeparator() ? "-" : FromWx(pItem->GetItemLabel()));
    return labels;
}

void CTypeloomTest::PointAtFrame()
{
    // The status bar's message pane: nothing there reacts to the pointer.
    const wxWindow* pBar = Frame().GetStatusBar();
    const wxPoint point = pBar->ClientToScreen(wxPoint(40, pBar->GetClientSize().y / 2));
    wxUIActionSimulator simulator;
    simulator.MouseMove(point);
    PumpUntil([&] { return wxGetMousePosition() == point; });
}

void CTypeloomTest::PressKeys(int nKeyCode, int nModifiers)
{
    if (!Frame().GetScreenRect().Contains(wxGetMousePosition()))
        PointAtFrame();
    wxUIActionSimulator simulator;
    simulator.Char(nKeyCode, nModifiers);
    PumpEvents();
}

namespace
{
GtkToolbar* FindGtkToolbar(GtkWidget* pWidget)
{
    if (GTK_IS_TOOLBAR(pWidget))
        return GTK_TOOLBAR(pWidget);
    GtkToolbar* pFound = nullptr;
    if (GTK_IS_CONTAINER(pWidget))
    {
        GList* pChildren = gtk_container_get_children(GTK_CONTAINER(pWidget));
        for (GList* p = pChildren; p && !pFound; p = p->next)
            pFound = FindGtkToolbar(GTK_WIDGET(p->data));
        g_list_free(pChildren);
    }
    return pFound;
}
} // namespace

wxPoint CTypeloomTest::ToolCentre(int nPos)
{
    GtkToolbar* pGtkToolbar = FindGtkToolbar(Frame().GetToolBar()->GetHandle());
    if (!pGtkToolbar)
    {
        ADD_FAILURE() << "no GTK toolbar";
        return {};
    }
    GtkToolItem* pItem = gtk_toolbar_get_nth_item(pGtkToolbar, nPos);
    EXPECT_NE(pItem, nullptr) << "no tool " << nPos;
    if (!pItem)
        return {};
    GtkWidget* pWidget = GTK_WIDGET(pItem);
    GtkAllocation allocation;
    gtk_widget_get_allocation(pWidget, &allocation);
    int x = 0, y = 0;
    gdk_window_get_origin(gtk_widget_get_window(pWidget), &x, &y);
    return wxPoint(x + allocation.x + allocation.width / 2,
                   y + allocation.y + allocation.height / 2);
}

fs::path CTypeloomTest::WriteFont(const std::string& strName,
                                  const std::vector<std::uint8_t>& bytes)
{
    const fs::path path = m_dir / strName;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<std::uint8_t> CTypeloomTest::ReadFile(const fs::path& path)
{
    const std::string strBytes = ReadWholeFile(path);
    return {strBytes.begin(), strBytes.end()};
}

void CTypeloomTest::OpenThroughDialog(const fs::path& path)
{
    const std::size_t nBefore = Docs().GetDocumentsVector().size();
    m_watcher.Answer(wxID_OK, path.string());
    PressKeys('o', wxMOD_CONTROL);
    ASSERT_TRUE(PumpUntil([&] { return Docs().GetDocumentsVector().size() == nBefore + 1; }))
        << "the file did not open";
    Settle();
}
