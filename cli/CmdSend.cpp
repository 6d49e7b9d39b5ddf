#include "Command.h"
#include "ConsoleUserInterface.h"
#include "DownloadDlg.h"
#include "GeometryOptions.h"
#include "TextProgressBar.h"

#include <cstdio>
#include <iostream>
#include <map>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace
{
// The Download dialog's controls, filled from the command line.
class CArgumentControls final : public CControlAccess
{
public:
    explicit CArgumentControls(CProgressBarWindow& bar) : m_bar(bar) {}

    std::string GetText(int nId) override { return m_texts[nId]; }
    void SetText(int nId, const std::string& strText) override { m_texts[nId] = strText; }
    int GetRadioIndex(int) override { return -1; }
    void SetRadioIndex(int, int) override {}
    int GetSelectionIndex(int nId) override { return m_selections[nId]; }
    void SetSelectionIndex(int nId, int nIndex) override { m_selections[nId] = nIndex; }
    int GetCheck(int) override { return 0; }
    void SetCheck(int, int) override {}
    void FocusAndSelect(int) override {}
    CProgressBarWindow* FindProgressBar(int) override { return &m_bar; }
    void SetItems(int, std::vector<std::string>) override {}
    void ShowControl(int, bool) override {}
    void EnableControl(int, bool) override {}

private:
    CProgressBarWindow& m_bar;
    std::map<int, std::string> m_texts;
    std::map<int, int> m_selections;
};

// The console's message boxes, each taking the line from the progress bar.
class CSendUserInterface final : public CUserInterface
{
public:
    using CUserInterface::MessageBox;

    explicit CSendUserInterface(CTextProgressBar& bar) : m_bar(bar) {}

    EMessageResult MessageBox(const CMessageBoxRequest& request) override
    {
        m_bar.Clear();
        return m_console.MessageBox(request);
    }
    std::optional<std::string> FileDialog(const CFileDialogRequest& request) override
    {
        return m_console.FileDialog(request);
    }
    const std::string& LastMessage() const { return m_console.m_strLastMessage; }

private:
    CTextProgressBar& m_bar;
    CConsoleUserInterface m_console;
};

bool ErrorsGoToATerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return ::isatty(STDERR_FILENO) != 0;
#endif
}

int ExitStatusOf(const std::string& strResult)
{
    if (strResult == kMsgDownloadOk)
        return kExitOk;
    if (strResult == kMsgEnterPositiveInteger)
        return kExitUsage;
    if (strResult == kMsgOpenPortError)
        return kExitPort;
    if (strResult == kMsgSaveFileFirst || strResult == kMsgOpenFileError ||
        strResult == kMsgReadFileError)
        return kExitFile;
    return kExitFailed;
}

int RunSend(CArguments& args);
} // namespace

extern const CCommand g_cmdSend = {
    "send",
    "Send a font file to the display with the font editor's download protocol.",
    "FONT [--port N] [--area A] [--width W] [--height H]",
    "Does what the editor's Download button does: a header frame, then the file\n"
    "in acknowledged frames of at most 250 bytes, 500 ms for each reply. Shows a\n"
    "progress bar on a terminal and prints the result; exits 0 only for\n"
    "\"Download OK!\", 3 when the file cannot be read, 4 when the port cannot be\n"
    "opened, 1 for any other result. Port N is the device in VFDKIT_COM<N>, or\n"
    "/dev/ttyS<N-1>.",
    {{"port", "N", "COM port 1 to 9 (1)"},
     {"area", "A", "font area, an unsigned number; its low 8 bits are sent (0)"},
     kWidthOption,
     kHeightOption},
    1,
    1,
    RunSend,
};

namespace
{
int RunSend(CArguments& args)
{
    const auto nPort = args.GetInteger("port", 0, 255, 1);
    if (!nPort)
        return Fail(g_cmdSend, kExitUsage, args.m_strError);
    const auto geometry = ReadGeometry(args);
    if (!geometry)
        return Fail(g_cmdSend, kExitUsage, args.m_strError);

    CTextProgressBar bar(std::cerr, ErrorsGoToATerminal());
    CArgumentControls controls(bar);
    CSendUserInterface ui(bar);
    CDownloadDlg dlg(controls, ui);
    dlg.m_strFilePath = args.m_positionals[0];
    dlg.m_nGlyphWidth = static_cast<int>(geometry->m_nWidth);
    dlg.m_nGlyphHeight = static_cast<int>(geometry->m_nHeight);
    dlg.OnInitDialog();
    controls.SetText(IDC_FONT_AREA, args.Get("area").value_or("0"));
    controls.SetSelectionIndex(IDC_SERIAL_PORT, static_cast<int>(*nPort) - 1);
    dlg.OnDownload();
    return ExitStatusOf(ui.LastMessage());
}
} // namespace
