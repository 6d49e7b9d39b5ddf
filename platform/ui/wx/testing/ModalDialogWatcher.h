#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <wx/modalhook.h>
#include <wx/timer.h>

// Answers the modal dialogs that open while it lives (message boxes, file
// dialogs, dialogs of the resources) by pressing their buttons, and records
// what each one showed. The dialogs are the real ones: they open, show on the
// screen and run their own loop until a button is pressed.
//
// Each dialog takes the next answer queued with Answer(). A dialog with no
// answer left fails the test and is cancelled; a dialog that does not close
// after its button is pressed fails the test and is closed by force. Tests
// therefore never hang on a dialog.
//
// The watcher made last is the one that acts. The main of the GUI tests
// keeps one without answers, so a dialog that opens where no test expects
// one fails that test instead of waiting for a user.
class CModalDialogWatcher final : public wxModalDialogHook
{
public:
    struct CSeen
    {
        std::string m_strKind;    // "message", "file" or "dialog"
        std::string m_strCaption; // the title as the window shows it
        std::string m_strText;    // message boxes: the message
        // message boxes: "info", "warning", "question", "error" or "other"
        std::string m_strIcon;
        std::vector<std::string> m_buttons; // message boxes: captions in order
        bool m_bHasOwner = false;           // kept above another window
        std::vector<std::string> m_filters; // file dialogs: the file types
        std::string m_strFileName;          // save dialogs: the name box's text
        std::string m_strFolder;            // file dialogs: the folder shown
        int m_nPressed = 0;                 // the wx id of the button pressed
    };

    CModalDialogWatcher();
    ~CModalDialogWatcher() override;
    CModalDialogWatcher(const CModalDialogWatcher&) = delete;
    CModalDialogWatcher& operator=(const CModalDialogWatcher&) = delete;

    // Queues the answer to the next dialog: the wx id of its button (wxID_OK,
    // wxID_CANCEL, wxID_YES, wxID_NO, or the id of a resource dialog's
    // button). A file dialog answered with wxID_OK chooses strPath first.
    void Answer(int nButton, const std::string& strPath = {});
    // Queues a press of a resource dialog's button that leaves the dialog
    // open (a "Download" button). Its handler runs once the press has
    // returned, so the dialogs it opens take the answers queued after this
    // one; when it is done, the dialog takes the next answer left.
    void AnswerAndStay(int nButton);

    // Saves the screen as each dialog shows, before it is answered, as
    // <strPathPrefix>-<n>.png (n counting from 1).
    void SaveScreenshots(const std::string& strPathPrefix) { m_strScreenshots = strPathPrefix; }

    // Runs as each dialog is about to show, before anything of it is on the
    // screen: what the user saw the moment it opened can be read then.
    void OnOpening(std::function<void(wxDialog&)> handler) { m_onOpening = std::move(handler); }

    const std::vector<CSeen>& Seen() const { return m_seen; }
    // The answers not used yet.
    std::size_t PendingAnswers() const { return m_answers.size(); }

protected:
    int Enter(wxDialog* pDialog) override;
    void Exit(wxDialog* pDialog) override;

private:
    struct CAnswer
    {
        int m_nButton = 0;
        std::string m_strPath;
        bool m_bStays = false; // the button leaves the dialog open
    };
    enum class EStep
    {
        Opening,  // not on the screen yet
        Shown,    // recorded; settling before the answer
        Choosing, // a file dialog taking the answer's path
        Pressed,  // its button pressed; closing
        Staying,  // a button that leaves it open pressed; its handler runs
        Done      // closed by force
    };
    struct COpen
    {
        wxDialog* m_pDialog = nullptr;
        std::size_t m_nSeen = 0;
        bool m_bAnswered = false; // an answer was queued for it
        bool m_bHandled = false;  // Staying: the button's handler has run
        CAnswer m_answer;
        EStep m_step = EStep::Opening;
        std::chrono::steady_clock::time_point m_since;
    };

    void OnTimer(wxTimerEvent& event);
    bool Record(COpen& open, bool bLastChance);
    void Answer(COpen& open);
    void Press(COpen& open);
    void PressAndStay(COpen& open);
    void TakeNextAnswer(COpen& open);
    void ForceClose(COpen& open, const std::string& strWhy);

    std::deque<CAnswer> m_answers;
    std::vector<CSeen> m_seen;
    std::vector<COpen> m_open; // innermost last
    std::string m_strScreenshots;
    std::function<void(wxDialog&)> m_onOpening;
    wxTimer m_timer;
    CModalDialogWatcher* m_pOuter; // the watcher that acted before this one
};
