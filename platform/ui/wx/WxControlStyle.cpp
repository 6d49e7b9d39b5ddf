#include "WxControlStyle.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>

namespace
{
constexpr const char* kCompactCss = R"(
entry, button, combobox button, spinbutton {
    min-height: 0;
    padding-top: 0;
    padding-bottom: 0;
}
radiobutton, checkbutton {
    min-height: 0;
    padding-top: 0;
    padding-bottom: 0;
}
radio, check {
    min-width: 12px;
    min-height: 12px;
    margin-left: 0;
    margin-right: 3px;
}
button.image-button {
    padding: 1px 2px;
    min-width: 0;
}
notebook > header > tabs > tab {
    min-height: 0;
    padding: 1px 10px;
}
)";
} // namespace

void UseCompactControlStyle()
{
    GdkScreen* pScreen = gdk_screen_get_default();
    if (!pScreen)
        return;
    GtkCssProvider* pProvider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(pProvider, kCompactCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(pScreen, GTK_STYLE_PROVIDER(pProvider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(pProvider);
}
#else
void UseCompactControlStyle() {}
#endif
