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
