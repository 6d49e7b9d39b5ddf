#include "ModalDialogWatcher.h"

#include "WxControlAccess.h"
#include "WxTesting.h"
#include "WxText.h"

#include <algorithm>
#include <gtk/gtk.h>

#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include <gtest/gtest.h>

namespace
{
using CClock = std::chrono::steady_clock;
constexpr auto kShowTimeout = std::chrono::seconds(10);
constexpr auto kSettleTime = std::chrono::milliseconds(100);
constexpr auto kChooseTimeout = std::chrono::seconds(3);
constexpr auto kCloseTimeout = std::chrono::seconds(5);
constexpr auto kHandlerTimeout = std::chrono::seconds(60);

std::string Utf8(const char* psz)
{
    return psz ? std::string(psz) : std::string();
}

std::string WithoutMnemonic(std::string strLabel)
{
    strLabel.erase(std::remove(strLabel.begin(), strLabel.end(), '_'), strLabel.end());
    return strLabel;
}

std::string IconName(GtkMessageType type)
{
    switch (type)
    {
    case GTK_MESSAGE_INFO:
        return "info";
    case GTK_MESSAGE_WARNING:
        return "warning";
    case GTK_MESSAGE_QUESTION:
        return "question";
    case GTK_MESSAGE_ERROR:
        return "error";
    default:
        return "other";
    }
}

void CollectButtons(GtkWidget* pWidget, std::vector<std::string>& labels)
{
    if (GTK_IS_BUTTON(pWidget))
    {
        if (gtk_widget_get_visible(pWidget))
            labels.push_back(WithoutMnemonic(Utf8(gtk_button_get_label(GTK_BUTTON(pWidget)))));
        return;
    }
    if (GTK_IS_CONTAINER(pWidget))
    {
        GList* pChildren = gtk_container_get_children(GTK_CONTAINER(pWidget));
        for (GList* p = pChildren; p; p = p->next)
            CollectButtons(GTK_WIDGET(p->data), labels);
        g_list_free(pChildren);
    }
}

// The GTK response of a native dialog's button for a wx button id.
GtkResponseType ResponseFor(int nButton, bool bFileDialog)
{
    switch (nButton)
    {
    case wxID_OK:
        return bFileDialog ? GTK_RESPONSE_ACCEPT : GTK_RESPONSE_OK;
    case wxID_YES:
        return GTK_RESPONSE_YES;
    case wxID_NO:
        return GTK_RESPONSE_NO;
    default:
        return GTK_RESPONSE_CANCEL;
    }
}

std::string CurrentFolder(GtkFileChooser* pChooser)
{
    gchar* pszFolder = gtk_file_chooser_get_current_folder(pChooser);
    std::string strFolder = Utf8(pszFolder);
    g_free(pszFolder);
    return strFolder;
}

// Whether a file dialog now holds the path it was given.
bool PathChosen(wxDialog* pDialog, const std::string& strPath)
{
    GtkFileChooser* pChooser = GTK_FILE_CHOOSER(pDialog->GetHandle());
    gchar* pszChosen = gtk_file_chooser_get_filename(pChooser);
    const bool bChosen = pszChosen && strPath == pszChosen;
    g_free(pszChosen);
    return bChosen;
}

bool IsNative(const wxDialog* pDialog)
{
    return dynamic_cast<const wxMessageDialog*>(pDialog) ||
           dynamic_cast<const wxFileDialog*>(pDialog);
}

// Without an answer: the way out a user would take.
int DefaultButton(const wxDialog* pDialog)
{
    if (const auto* pBox = dynamic_cast<const wxMessageDialog*>(pDialog))
    {
        const long style = pBox->GetMessageDialogStyle();
        if (style & wxCANCEL)
            return wxID_CANCEL;
        return (style & wxNO) ? wxID_NO : wxID_OK;
    }
    if (IsNative(pDialog))
        return wxID_CANCEL;
    const int nEscape = pDialog->GetEscapeId();
    return nEscape == wxID_ANY ? wxID_CANCEL : nEscape;
}
} // namespace

namespace
{
CModalDialogWatcher* g_pActive = nullptr;
} // namespace

CModalDialogWatcher::CModalDialogWatcher() : m_pOuter(g_pActive)
{
    g_pActive = this;
    m_timer.Bind(wxEVT_TIMER, &CModalDialogWatcher::OnTimer, this);
    Register();
}

CModalDialogWatcher::~CModalDialogWatcher()
{
    m_timer.Stop();
    Unregister();
    g_pActive = m_pOuter;
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " answer(s) left: a dialog did not open";
}

void CModalDialogWatcher::Answer(int nButton, const std::string& strPath)
{
    m_answers.push_back(CAnswer{nButton, strPath});
}

void CModalDialogWatcher::AnswerAndStay(int nButton)
{
    m_answers.push_back(CAnswer{nButton, {}, true});
}

int CModalDialogWatcher::Enter(wxDialog* pDialog)
{
    if (g_pActive != this)
        return wxID_NONE;
    // A file dialog passes here twice on its way to the screen.
    for (const COpen& open : m_open)
        if (open.m_pDialog == pDialog)
            return wxID_NONE;

    if (m_onOpening)
        m_onOpening(*pDialog);
    CSeen seen;
    if (dynamic_cast<wxMessageDialog*>(pDialog))
        seen.m_strKind = "message";
    else if (dynamic_cast<wxFileDialog*>(pDialog))
        seen.m_strKind = "file";
    else
        seen.m_strKind = "dialog";
    m_seen.push_back(seen);

    COpen open;
    open.m_pDialog = pDialog;
    open.m_nSeen = m_seen.size() - 1;
    open.m_since = CClock::now();
    if (!m_answers.empty())
    {
        open.m_bAnswered = true;
        open.m_answer = m_answers.front();
        m_answers.pop_front();
    }
    m_open.push_back(open);
    if (!m_timer.IsRunning())
        m_timer.Start(20);
    return wxID_NONE;
}

void CModalDialogWatcher::Exit(wxDialog* pDialog)
{
    std::erase_if(m_open, [&](const COpen& open) { return open.m_pDialog == pDialog; });
    if (m_open.empty())
        m_timer.Stop();
}

void CModalDialogWatcher::OnTimer(wxTimerEvent&)
{
    if (m_open.empty())
        return;
    COpen& open = m_open.back();
    const auto waited = CClock::now() - open.m_since;
    switch (open.m_step)
    {
    case EStep::Opening:
        if (Record(open, waited > kShowTimeout / 2))
        {
            open.m_step = EStep::Shown;
            open.m_since = CClock::now();
        }
        else if (waited > kShowTimeout)
            ForceClose(open, "did not show on the screen");
        break;
    case EStep::Shown:
        // A moment for the toolkit to finish setting the dialog up.
        if (waited > kSettleTime)
            Answer(open);
        break;
    case EStep::Choosing:
        if (PathChosen(open.m_pDialog, open.m_answer.m_strPath) || waited > kChooseTimeout)
            Press(open);
        break;
    case EStep::Pressed:
        if (waited > kCloseTimeout)
            ForceClose(open, "did not close when its button was pressed");
        break;
    case EStep::Staying:
        if (open.m_bHandled)
            TakeNextAnswer(open);
        else if (waited > kHandlerTimeout)
            ForceClose(open, "did not finish the handler of its button");
        break;
    case EStep::Done:
        break;
    }
}

bool CModalDialogWatcher::Record(COpen& open, bool bLastChance)
{
    wxDialog* pDialog = open.m_pDialog;
    GtkWidget* pWidget = pDialog->GetHandle();
    if (!pWidget || !gtk_widget_get_mapped(pWidget))
        return false;
    // A file dialog reads its folder in the background.
    if (GTK_IS_FILE_CHOOSER(pWidget) && !bLastChance &&
        CurrentFolder(GTK_FILE_CHOOSER(pWidget)).empty())
        return false;

    CSeen& seen = m_seen[open.m_nSeen];
    seen.m_strCaption = Utf8(gtk_window_get_title(GTK_WINDOW(pWidget)));
    seen.m_bHasOwner = gtk_window_get_transient_for(GTK_WINDOW(pWidget)) != nullptr;
    if (GTK_IS_MESSAGE_DIALOG(pWidget))
    {
        gchar* pszText = nullptr;
        GtkMessageType type = GTK_MESSAGE_OTHER;
        g_object_get(pWidget, "text", &pszText, "message-type", &type, nullptr);
        seen.m_strText = Utf8(pszText);
        g_free(pszText);
        seen.m_strIcon = IconName(type);
        CollectButtons(pWidget, seen.m_buttons);
    }
    if (GTK_IS_FILE_CHOOSER(pWidget))
    {
        GtkFileChooser* pChooser = GTK_FILE_CHOOSER(pWidget);
        GSList* pFilters = gtk_file_chooser_list_filters(pChooser);
        for (GSList* p = pFilters; p; p = p->next)
            seen.m_filters.push_back(Utf8(gtk_file_filter_get_name(GTK_FILE_FILTER(p->data))));
        g_slist_free(pFilters);
        if (gtk_file_chooser_get_action(pChooser) == GTK_FILE_CHOOSER_ACTION_SAVE)
        {
            gchar* pszName = gtk_file_chooser_get_current_name(pChooser);
            seen.m_strFileName = Utf8(pszName);
            g_free(pszName);
        }
        seen.m_strFolder = CurrentFolder(pChooser);
    }
    return true;
}

void CModalDialogWatcher::Answer(COpen& open)
{
    CSeen& seen = m_seen[open.m_nSeen];
    if (!m_strScreenshots.empty())
        SaveScreenshot(m_strScreenshots + "-" + std::to_string(open.m_nSeen + 1) + ".png");
    if (!open.m_bAnswered)
    {
        ADD_FAILURE() << "unexpected " << seen.m_strKind << " dialog \"" << seen.m_strCaption
                      << "\": " << seen.m_strText;
        open.m_answer.m_nButton = DefaultButton(open.m_pDialog);
    }
    auto* pFileDialog = dynamic_cast<wxFileDialog*>(open.m_pDialog);
    if (pFileDialog && open.m_answer.m_nButton == wxID_OK && !open.m_answer.m_strPath.empty())
    {
        pFileDialog->SetPath(PathToWx(open.m_answer.m_strPath));
        open.m_step = EStep::Choosing;
        open.m_since = CClock::now();
        return;
    }
    Press(open);
}

void CModalDialogWatcher::Press(COpen& open)
{
    wxDialog* pDialog = open.m_pDialog;
    CSeen& seen = m_seen[open.m_nSeen];
    const int nButton = open.m_answer.m_nButton;
    seen.m_nPressed = nButton;
    open.m_step = EStep::Pressed;
    open.m_since = CClock::now();

    if (IsNative(pDialog))
    {
        GtkDialog* pGtkDialog = GTK_DIALOG(pDialog->GetHandle());
        const GtkResponseType response =
            ResponseFor(nButton, dynamic_cast<wxFileDialog*>(pDialog) != nullptr);
        if (GtkWidget* pButton = gtk_dialog_get_widget_for_response(pGtkDialog, response))
            gtk_button_clicked(GTK_BUTTON(pButton));
        else
            ForceClose(open, "has no button " + std::to_string(nButton));
        return;
    }

    if (open.m_answer.m_bStays)
    {
        PressAndStay(open);
        return;
    }
    wxWindow* pButton = FindControl(*pDialog, nButton);
    if (pButton && GTK_IS_BUTTON(pButton->GetHandle()))
        gtk_button_clicked(GTK_BUTTON(pButton->GetHandle()));
    else
        ForceClose(open, "has no button " + std::to_string(nButton));
}

void CModalDialogWatcher::PressAndStay(COpen& open)
{
    wxDialog* pDialog = open.m_pDialog;
    const int nButton = open.m_answer.m_nButton;
    wxWindow* pButton = FindControl(*pDialog, nButton);
    if (!pButton || !GTK_IS_BUTTON(pButton->GetHandle()))
    {
        ForceClose(open, "has no button " + std::to_string(nButton));
        return;
    }
    open.m_step = EStep::Staying;
    open.m_bHandled = false;
    // Pressed from this timer's own event, the handler could not have the
    // dialogs it opens answered: the timer does not fire while it runs.
    pDialog->CallAfter(
        [this, pDialog, nButton]
        {
            if (wxWindow* pPressed = FindControl(*pDialog, nButton))
                gtk_button_clicked(GTK_BUTTON(pPressed->GetHandle()));
            for (COpen& each : m_open)
                if (each.m_pDialog == pDialog)
                {
                    each.m_bHandled = true;
                    each.m_since = CClock::now();
                }
        });
}

void CModalDialogWatcher::TakeNextAnswer(COpen& open)
{
    open.m_bAnswered = !m_answers.empty();
    if (open.m_bAnswered)
    {
        open.m_answer = m_answers.front();
        m_answers.pop_front();
    }
    else
        open.m_answer = CAnswer{};
    open.m_step = EStep::Shown;
    open.m_since = CClock::now();
}

void CModalDialogWatcher::ForceClose(COpen& open, const std::string& strWhy)
{
    const CSeen& seen = m_seen[open.m_nSeen];
    ADD_FAILURE() << "the " << seen.m_strKind << " dialog \"" << seen.m_strCaption << "\" "
                  << strWhy;
    open.m_step = EStep::Done;
    wxDialog* pDialog = open.m_pDialog;
    GtkWidget* pWidget = pDialog->GetHandle();
    if (IsNative(pDialog) && pWidget && GTK_IS_DIALOG(pWidget))
        gtk_dialog_response(GTK_DIALOG(pWidget), GTK_RESPONSE_CANCEL);
    else if (pDialog->IsModal())
        pDialog->EndModal(wxID_CANCEL);
}
