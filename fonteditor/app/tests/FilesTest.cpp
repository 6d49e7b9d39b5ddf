// Files: the recent-file list and its settings, what opening and closing
// say, Save As, and the command line.

#include "RecentFileLabel.h"
#include "SampleFont.h"
#include "TypeloomCommands.h"
#include "TypeloomFixture.h"
#include "TypeloomView.h"
#include "WxText.h"

#include <csignal>
#include <cstdio>
#include <sys/wait.h>

#include <wx/fileconf.h>
#include <wx/uiaction.h>

using TypeloomFiles = CTypeloomTest;

namespace
{
std::string RecentFileLabel(std::size_t nIndex, const fs::path& path)
{
    return ::RecentFileLabel(nIndex, path.string());
}

std::vector<std::string> RecentEntries(const fs::path& settings)
{
    wxFileConfig config("Typeloom", kSettingsVendor, PathToWx(settings.string()), wxString(),
                        wxCONFIG_USE_LOCAL_FILE);
    std::vector<std::string> entries;
    for (int i = 1; i <= 9; ++i)
    {
        wxString path;
        if (config.Read(wxString::Format("/Recent File List/File%d", i), &path))
            entries.push_back(PathFromWx(path));
    }
    return entries;
}
} // namespace

TEST_F(TypeloomFiles, TheRecentFileListKeepsFourAndLastsToTheNextStart)
{
    std::vector<fs::path> fonts;
    for (int i = 1; i <= 5; ++i)
        fonts.push_back(WriteFont("font" + std::to_string(i) + ".fnt", MakeSampleFont(16, 16, 64)));
    for (const fs::path& font : fonts)
        ASSERT_NE(Docs().CreateDocument(PathToWx(font.string()), wxDOC_SILENT), nullptr);

    // The menu of the active document window: the four last, the last first.
    const wxMenu& file = *ShownMenuBar()->GetMenu(0);
    const std::vector<std::string> labels = ItemLabels(file);
    const auto first = std::find(labels.begin(), labels.end(), RecentFileLabel(0, fonts[4]));
    ASSERT_NE(first, labels.end()) << ::testing::PrintToString(labels);
    EXPECT_EQ(std::vector<std::string>(first, first + 5),
              (std::vector<std::string>{RecentFileLabel(0, fonts[4]), RecentFileLabel(1, fonts[3]),
                                        RecentFileLabel(2, fonts[2]), RecentFileLabel(3, fonts[1]),
                                        "-"}));
    EXPECT_EQ(RecentEntries(m_settings),
              (std::vector<std::string>{fonts[4].string(), fonts[3].string(), fonts[2].string(),
                                        fonts[1].string()}));
    // The main window's own File menu follows too.
    EXPECT_EQ(ItemLabels(*Frame().GetMenuBar()->GetMenu(0))[6], RecentFileLabel(0, fonts[4]));

    // With every document closed, Alt+F, 3 opens the third entry, which
    // comes to the front.
    m_pShell->GetDocManager().CloseDocuments(true);
    ASSERT_TRUE(PumpUntil([&] { return Documents().empty(); }));
    PressKeys('f', wxMOD_ALT);
    Settle();
    PressKeys('3');
    ASSERT_TRUE(PumpUntil([&] { return Documents().size() == 1; }));
    EXPECT_EQ(Documents().front()->GetDoc().GetPathName(), fonts[2].string());
    EXPECT_EQ(RecentEntries(m_settings).front(), fonts[2].string());

    // The next start shows the same list, with no document open.
    Restart();
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(ItemLabels(*Frame().GetMenuBar()->GetMenu(0))[6], RecentFileLabel(0, fonts[2]));
    EXPECT_TRUE(Frame().GetMenuBar()->IsEnabled(WxCommandId(kCmdFileMru1 + 3)));
    // File Open starts in the folder of the file opened last.
    m_watcher.Answer(wxID_CANCEL);
    PressKeys('o', wxMOD_CONTROL);
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strFolder, m_dir.string());
    EXPECT_EQ(m_watcher.Seen()[0].m_filters, std::vector<std::string>{"All Files (*.*)"});

    // An entry whose file has gone: the open fails with a message naming it,
    // and the entry leaves the list.
    fs::remove(fonts[1]);
    m_watcher.Answer(wxID_OK);
    Docs().OpenRecentFile(3);
    ASSERT_EQ(m_watcher.Seen().size(), 2u);
    EXPECT_NE(m_watcher.Seen()[1].m_strText.find("Failed to open document."), std::string::npos);
    EXPECT_NE(m_watcher.Seen()[1].m_strText.find(fonts[1].string()), std::string::npos);
    EXPECT_EQ(m_watcher.Seen()[1].m_strCaption, "Typeloom");
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(RecentEntries(m_settings).size(), 3u);
}

TEST_F(TypeloomFiles, ClosingWithUnsavedChangesAsksFirst)
{
    const fs::path font = WriteFont("edit.fnt", MakeSampleFont(16, 16, 256));
    ASSERT_NE(Docs().CreateDocument(PathToWx(font.string()), wxDOC_SILENT), nullptr);
    Settle();
    CWxTypeloomDoc& doc = *Documents().front();
    EXPECT_FALSE(doc.IsModified());
    // A pixel clicked: an edit not yet committed counts.
    ClickControl(FormPanel(), kIdGlyphGrid);
    ASSERT_TRUE(PumpUntil([&] { return doc.IsModified(); }));

    // Cancel keeps the window; No, when the program exits, drops the edit
    // and leaves the file as it was.
    m_watcher.Answer(wxID_CANCEL);
    const auto before = ReadFile(font);
    wxCommandEvent close(wxEVT_MENU, WxCommandId(kCmdFileClose));
    Frame().GetActiveChild()->ProcessWindowEvent(close);
    PumpEvents();
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strText, "Save changes to " + font.string() + "?");
    EXPECT_EQ(m_watcher.Seen()[0].m_strIcon, "question");
    EXPECT_EQ(m_watcher.Seen()[0].m_buttons.size(), 3u);
    EXPECT_EQ(Documents().size(), 1u);

    m_watcher.Answer(wxID_NO);
    PressKeys('f', wxMOD_ALT);
    Settle();
    PressKeys('x'); // E&xit
    ASSERT_TRUE(PumpUntil([&] { return m_pShell->GetMainFrame() == nullptr; }));
    ASSERT_EQ(m_watcher.Seen().size(), 2u);
    EXPECT_EQ(m_watcher.Seen()[1].m_strText, m_watcher.Seen()[0].m_strText);
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(ReadFile(font), before);
}

TEST_F(TypeloomFiles, AnEditThatPutsTheFileBackAsksNothing)
{
    const fs::path font = WriteFont("back.fnt", MakeSampleFont(16, 16, 256));
    ASSERT_NE(Docs().CreateDocument(PathToWx(font.string()), wxDOC_SILENT), nullptr);
    Settle();
    CWxTypeloomDoc& doc = *Documents().front();
    // A pixel clicked twice is the glyph on disk again.
    ClickControl(FormPanel(), kIdGlyphGrid);
    ASSERT_TRUE(PumpUntil([&] { return doc.IsModified(); }));
    ClickControl(FormPanel(), kIdGlyphGrid);
    ASSERT_TRUE(PumpUntil([&] { return !doc.IsModified(); }));

    wxCommandEvent close(wxEVT_MENU, WxCommandId(kCmdFileClose));
    Frame().GetActiveChild()->ProcessWindowEvent(close);
    ASSERT_TRUE(PumpUntil([&] { return Documents().empty(); }));
    EXPECT_TRUE(m_watcher.Seen().empty());
}

TEST_F(TypeloomFiles, ANewDocumentSavedAsGetsItsNameAndOnlyItsChanges)
{
    ASSERT_TRUE(Docs().CreateNewDocument());
    Settle();
    // Pixel (0, 0) of glyph 0 at 16 x 16, then Save (Ctrl+S) asks for a name.
    ClickControl(FormPanel(), kIdGlyphGrid, wxPoint(3, 3));
    const fs::path target = m_dir / "new.fnt";
    m_watcher.Answer(wxID_OK, target.string());
    PressKeys('s', wxMOD_CONTROL);
    ASSERT_TRUE(PumpUntil([&] { return fs::exists(target); }));
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "Save As");
    EXPECT_EQ(m_watcher.Seen()[0].m_strFileName, "Font1");
    EXPECT_EQ(m_watcher.Seen()[0].m_filters, std::vector<std::string>{"All Files (*.*)"});
    std::vector<std::uint8_t> expected(32, 0);
    expected[0] = 0x80;
    EXPECT_EQ(ReadFile(target), expected);
    EXPECT_TRUE(PumpUntil([&] { return Frame().GetTitle() == "Typeloom - [new.fnt]"; }))
        << Frame().GetTitle();
    EXPECT_EQ(Frame().GetActiveChild()->GetTitle(), "new.fnt");
    EXPECT_EQ(Documents().front()->GetDoc().GetPathName(), target.string());
    EXPECT_EQ(RecentEntries(m_settings), std::vector<std::string>{target.string()});
}

TEST_F(TypeloomFiles, AFailedSaveKeepsTheDocumentAsItWas)
{
    const fs::path font = WriteFont("locked.fnt", MakeSampleFont(16, 16, 256));
    ASSERT_NE(Docs().CreateDocument(PathToWx(font.string()), wxDOC_SILENT), nullptr);
    Settle();
    ClickControl(FormPanel(), kIdGlyphGrid, wxPoint(3, 3));
    // The file gives way to a folder of its name: nothing can write there.
    fs::remove(font);
    fs::create_directory(font);
    m_watcher.Answer(wxID_OK);
    PressKeys('s', wxMOD_CONTROL);
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_NE(m_watcher.Seen()[0].m_strText.find("Cannot"), std::string::npos)
        << m_watcher.Seen()[0].m_strText;
    CWxTypeloomDoc& doc = *Documents().front();
    EXPECT_EQ(doc.GetDoc().GetChanges().size(), 1u); // the edit, committed, still to be saved
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetDoc().GetPathName(), font.string());
}

TEST_F(TypeloomFiles, NewWindowShowsTheSameDocumentAndPrintPreviewOpensBlank)
{
    const fs::path font = WriteFont("two.fnt", MakeSampleFont(16, 16, 256));
    ASSERT_NE(Docs().CreateDocument(PathToWx(font.string()), wxDOC_SILENT), nullptr);
    Settle();
    // Window > New Window, with the keyboard.
    PressKeys('w', wxMOD_ALT);
    Settle();
    PressKeys('n');
    CWxTypeloomDoc& doc = *Documents().front();
    ASSERT_TRUE(PumpUntil([&] { return doc.GetViewsVector().size() == 2; }));
    EXPECT_EQ(Documents().size(), 1u);
    auto Title = [&](std::size_t i)
    { return dynamic_cast<wxFrame&>(*doc.GetViewsVector()[i]->GetFrame()).GetTitle(); };
    // The two windows are told apart, and one left goes back to the name.
    EXPECT_EQ(Title(0), "two.fnt:1");
    EXPECT_EQ(Title(1), "two.fnt:2");
    doc.GetViewsVector()[1]->GetFrame()->Close();
    ASSERT_TRUE(PumpUntil([&] { return doc.GetViewsVector().size() == 1; }));
    EXPECT_EQ(Title(0), "two.fnt");

    // File > Print Preview: the framework's preview window, its page blank.
    const std::size_t nWindows = wxTopLevelWindows.size();
    PressKeys('f', wxMOD_ALT);
    Settle();
    PressKeys('v');
    ASSERT_TRUE(PumpUntil([&] { return wxTopLevelWindows.size() == nWindows + 1; }));
    wxWindow* pPreview = wxTopLevelWindows.back();
    EXPECT_TRUE(PumpUntil([&] { return pPreview->IsShownOnScreen(); }));
    Settle();
    EXPECT_TRUE(SaveScreenshot(ArtifactPath("typeloom-print-preview.png"), pPreview));
    pPreview->Close();
    EXPECT_TRUE(PumpUntil([&] { return wxTopLevelWindows.size() == nWindows; }));
}

TEST_F(TypeloomFiles, AFileOnTheCommandLineOpensNothing)
{
    const fs::path font = WriteFont("cmdline.fnt", MakeSampleFont(16, 16, 256));
    const std::string strConfig = (m_dir / "config").string();
    // This process's own main window goes first: only the program's is left.
    m_pShell->CloseWithoutSaving();
    ASSERT_TRUE(PumpUntil([] { return wxTopLevelWindows.empty(); }));
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        ::setenv("XDG_CONFIG_HOME", strConfig.c_str(), 1);
        ::execl(TYPELOOM_EXE, TYPELOOM_EXE, font.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(pid, 0);
    // The program's main window appears, titled as with no document, and
    // stays so: an opened document would show in the title within a moment.
    std::string strWindows;
    const auto Windows = [&]
    {
        strWindows.clear();
        if (FILE* pPipe = ::popen("xwininfo -root -tree 2>/dev/null", "r"))
        {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, pPipe))
                strWindows += buffer;
            ::pclose(pPipe);
        }
        return strWindows;
    };
    const bool bStarted = PumpUntil(
        [&]
        {
            // Its settings folder is made before its window; the window is
            // the main window, not the toolkit's 10 x 10 leader.
            return fs::exists(fs::path(strConfig) / kSettingsVendor) &&
                   Windows().find("\"Typeloom\": (\"Typeloom\" \"Typeloom\")  1") !=
                       std::string::npos;
        },
        std::chrono::seconds(20));
    const bool bOpened =
        PumpUntil([&] { return Windows().find("Typeloom - [") != std::string::npos; },
                  std::chrono::milliseconds(1500));
    int nStatus = 0;
    EXPECT_EQ(::waitpid(pid, &nStatus, WNOHANG), 0) << "the program ended";
    ::kill(pid, SIGTERM);
    ::waitpid(pid, &nStatus, 0);
    EXPECT_TRUE(bStarted) << strWindows;
    EXPECT_FALSE(bOpened) << strWindows;
}
