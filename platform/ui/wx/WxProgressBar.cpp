#include "WxProgressBar.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <wx/evtloop.h>
#include <wx/gauge.h>
#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace
{
constexpr auto kPaintTime = std::chrono::milliseconds(40);
} // namespace

void CWxProgressBar::Show(const CProgressState& state)
{
    // A gauge always starts at 0: positions are shown relative to the lower end.
    const int nRange = std::max(state.m_nUpper - state.m_nLower, 1);
    if (m_gauge.GetRange() != nRange)
        m_gauge.SetRange(nRange);
    m_gauge.SetValue(std::clamp(state.m_nPos - state.m_nLower, 0, nRange));
    ShowNow();
}

void CWxProgressBar::ShowNow()
{
#ifdef __WXGTK__
    // The bar's filled part is laid out on the toolkit's frame clock, which
    // may not tick while a job runs in a handler: lay it out now, so the
    // paint below draws the value just set rather than the one before.
    GtkWidget* pWidget = m_gauge.GetHandle();
    gtk_widget_queue_resize(pWidget);
    if (GtkWidget* pTop = gtk_widget_get_toplevel(pWidget); GTK_IS_CONTAINER(pTop))
        gtk_container_check_resize(GTK_CONTAINER(pTop));
#endif
    m_gauge.Refresh();
    m_gauge.Update();
    // The toolkit paints at the pace of its frame clock, so its paint and
    // layout events run for about two frames. Only those: clicks and keys
    // wait until the job is done, as they would while any handler runs.
    wxEventLoopBase* pLoop = wxEventLoopBase::GetActive();
    if (!pLoop || pLoop->IsYielding())
        return;
    const auto until = std::chrono::steady_clock::now() + kPaintTime;
    do
    {
        pLoop->YieldFor(wxEVT_CATEGORY_UI);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < until);
}
