#include "WxRadioGroup.h"

#include <wx/radiobut.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

std::vector<wxRadioButton*> RadioButtonsOfGroup(wxRadioButton& first)
{
    std::vector<wxRadioButton*> group{&first};
    const wxWindowList& siblings = first.GetParent()->GetChildren();
    auto it = siblings.begin();
    while (it != siblings.end() && *it != &first)
        ++it;
    for (++it; it != siblings.end(); ++it)
    {
        auto* pButton = dynamic_cast<wxRadioButton*>(*it);
        if (!pButton)
            continue;
        if (pButton->HasFlag(wxRB_GROUP))
            break;
        group.push_back(pButton);
    }
    return group;
}

#ifdef __WXGTK__
namespace
{
constexpr const char* kNoneButtonKey = "vfd-none-button";

void DestroyNoneButton(gpointer pButton)
{
    gtk_widget_destroy(GTK_WIDGET(pButton));
    g_object_unref(pButton);
}

// The group's hidden extra member, made on first use and kept with the
// group's first button, which it never outlives.
GtkWidget* NoneButton(wxRadioButton& first)
{
    GObject* pFirst = G_OBJECT(first.GetHandle());
    if (auto* pButton = static_cast<GtkWidget*>(g_object_get_data(pFirst, kNoneButtonKey)))
        return pButton;
    GtkWidget* pButton = gtk_radio_button_new_from_widget(GTK_RADIO_BUTTON(first.GetHandle()));
    g_object_ref_sink(pButton);
    g_object_set_data_full(pFirst, kNoneButtonKey, pButton, DestroyNoneButton);
    return pButton;
}
} // namespace
#endif

void ClearRadioButtons(const std::vector<wxRadioButton*>& group)
{
    if (group.empty())
        return;
#ifdef __WXGTK__
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(NoneButton(*group.front())), TRUE);
#else
    for (wxRadioButton* pButton : group)
        pButton->SetValue(false);
#endif
}

#ifdef __WXGTK__
namespace
{
struct CRadioClick
{
    std::function<void()> m_onClick;
    bool m_bActivated = false; // by the keyboard: its click follows from a timer
};

// Whether the event being handled is the user's click or key on the button:
// the toolkit also clicks buttons itself, when their group changes state.
bool IsUsersEvent(GtkWidget* pButton)
{
    GdkEvent* pEvent = gtk_get_current_event();
    if (!pEvent)
        return false;
    bool bUsers = false;
    switch (pEvent->type)
    {
    case GDK_BUTTON_PRESS:
    case GDK_BUTTON_RELEASE:
    {
        GtkWidget* pTarget = gtk_get_event_widget(pEvent);
        bUsers = pTarget && (pTarget == pButton || gtk_widget_is_ancestor(pTarget, pButton));
        break;
    }
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE:
        // Arrow keys move the focus to the button they check.
        bUsers = gtk_widget_has_focus(pButton);
        break;
    default:
        break;
    }
    gdk_event_free(pEvent);
    return bUsers;
}

void OnGtkActivate(GtkButton*, gpointer pData)
{
    static_cast<CRadioClick*>(pData)->m_bActivated = true;
}

void OnGtkClicked(GtkButton* pButton, gpointer pData)
{
    auto* pClick = static_cast<CRadioClick*>(pData);
    const bool bUsers = pClick->m_bActivated || IsUsersEvent(GTK_WIDGET(pButton));
    pClick->m_bActivated = false;
    if (bUsers)
        pClick->m_onClick();
}

void DeleteClick(gpointer pData, GClosure*)
{
    delete static_cast<CRadioClick*>(pData);
}
} // namespace

void BindRadioClick(wxRadioButton& button, std::function<void()> onClick)
{
    auto* pClick = new CRadioClick{std::move(onClick)};
    g_signal_connect(button.GetHandle(), "activate", G_CALLBACK(OnGtkActivate), pClick);
    // "clicked" comes after the group has changed, on every click.
    g_signal_connect_data(button.GetHandle(), "clicked", G_CALLBACK(OnGtkClicked), pClick,
                          DeleteClick, GConnectFlags(0));
}
#else
void BindRadioClick(wxRadioButton& button, std::function<void()> onClick)
{
    button.Bind(wxEVT_RADIOBUTTON, [onClick = std::move(onClick)](wxCommandEvent&) { onClick(); });
}
#endif
