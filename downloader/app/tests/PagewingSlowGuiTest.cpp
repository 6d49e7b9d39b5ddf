// Pagewing against vfdsim in real time: the test screens with their pauses
// and the single-page download, with the busy cursor on the screen while the
// library works.
#include "PagewingGuiFixture.h"
#include "ScreenBytes.h"
#include "TempFolder.h"
#include "VfdsimProcess.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include <wx/uiaction.h>
#include <wx/utils.h>

using Bytes = std::vector<std::uint8_t>;

namespace
{
Bytes Text(const std::string& strText)
{
    return Bytes(strText.begin(), strText.end());
}

// Watches the pointer's cursor on the X server from a thread of its own, as
// a user sees it while the window's thread is inside the library.
class CCursorWatch
{
public:
    CCursorWatch() : m_pDisplay(XOpenDisplay(nullptr)) {}
    ~CCursorWatch()
    {
        Stop();
        if (m_pDisplay)
            XCloseDisplay(m_pDisplay);
    }

    // A fingerprint of the cursor shown now: size, hot spot and pixels.
    std::size_t Current()
    {
        XFixesCursorImage* pImage = XFixesGetCursorImage(m_pDisplay);
        if (!pImage)
            return 0;
        std::size_t nHash =
            pImage->width * 31u + pImage->height * 17u + pImage->xhot * 7u + pImage->yhot;
        for (int i = 0; i < pImage->width * pImage->height; ++i)
            nHash = nHash * 1000003u ^ static_cast<std::size_t>(pImage->pixels[i]);
        XFree(pImage);
        return nHash;
    }

    void Start()
    {
        m_thread = std::thread(
            [this]
            {
                while (!m_bStop)
                {
                    m_seen.push_back({std::chrono::steady_clock::now(), Current()});
                    std::this_thread::sleep_for(50ms);
                }
            });
    }
    void Stop()
    {
        m_bStop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    bool IsAvailable() const { return m_pDisplay != nullptr; }
    struct CSample
    {
        std::chrono::steady_clock::time_point m_at;
        std::size_t m_nCursor;
    };
    std::vector<CSample> m_seen; // about every 50 ms

private:
    Display* m_pDisplay;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

// A font file with distinct bytes, so a frame shows which bytes it carries.
std::string WriteFont(const CTempFolder& folder, std::size_t nLength)
{
    const auto path = folder.Path() / "font.bin";
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < nLength; ++i)
        out.put(static_cast<char>((i * 7 + i / 256) & 0xFF));
    return path.string();
}
} // namespace

class PagewingSlowGui : public CPagewingGuiTest
{
protected:
    // vfdsim as COM3, the dialog on it, the port open.
    CPagewingWxDlg& OpenOnVfdsim()
    {
        EXPECT_TRUE(m_sim.Start(3, {"--idle-ms", "100"}));
        CPagewingWxDlg& dialog = ShowDialog(Library());
        dialog.m_controls.SetValue(IDC_PORT, 2);
        ClickControl(dialog, IDC_OPEN);
        EXPECT_TRUE(PumpUntil([&] { return dialog.m_dlg.m_nPortOpen != 0; }));
        return dialog;
    }

    CVfdsimProcess m_sim;
};

TEST_F(PagewingSlowGui, AsciiScreensArriveInOrderUnderTheBusyCursor)
{
    CPagewingWxDlg& dialog = OpenOnVfdsim();

    CCursorWatch cursor;
    ASSERT_TRUE(cursor.IsAvailable());
    wxUIActionSimulator mouse;
    const wxWindow* pButton = FindControl(dialog, IDC_DISPLAY_ASCII);
    const wxPoint centre = pButton->ClientToScreen(wxPoint(pButton->GetClientSize().x / 2, 5));
    mouse.MouseMove(centre);
    ASSERT_TRUE(PumpUntil([&] { return wxGetMousePosition() == centre; }));
    Settle();
    const std::size_t nIdle = cursor.Current();

    cursor.Start();
    ClickUntilStatus(dialog, IDC_DISPLAY_ASCII, kStatusAsciiComplete, 20s);
    Settle();
    cursor.Stop();

    const Bytes expected = ScreenBytes({0x1B, 0x52, 0x0F}, 0x20, 0x7F);
    ASSERT_EQ(expected.size(), 103u);
    EXPECT_EQ(m_sim.WaitForDisplayBytes(expected.size(), 5s), expected);

    // Three 1 s pauses and 103 bytes at 20 ms: 5 s under another cursor,
    // without a break, the pauses included.
    const auto& seen = cursor.m_seen;
    const auto isBusy = [&](const CCursorWatch::CSample& sample)
    { return sample.m_nCursor != nIdle; };
    const auto first = std::find_if(seen.begin(), seen.end(), isBusy);
    ASSERT_NE(first, seen.end()) << "no other cursor in " << seen.size() << " samples";
    const auto last = std::find_if(seen.rbegin(), seen.rend(), isBusy).base() - 1;
    EXPECT_GE(last->m_at - first->m_at, 4500ms);
    EXPECT_TRUE(std::all_of(first, last + 1, isBusy));
    EXPECT_EQ(cursor.Current(), nIdle);
    EXPECT_FALSE(wxIsBusy());
}

TEST_F(PagewingSlowGui, PcScreensArriveInOrder)
{
    CPagewingWxDlg& dialog = OpenOnVfdsim();
    ClickUntilStatus(dialog, IDC_DISPLAY_PC, kStatusPcComplete, 20s);
    const Bytes expected = ScreenBytes({0x1B, 0x74, 0x0F}, 0x80, 0xFF);
    ASSERT_EQ(expected.size(), 136u);
    EXPECT_EQ(m_sim.WaitForDisplayBytes(expected.size(), 5s), expected);
}

TEST_F(PagewingSlowGui, SinglePageSendsTheFilesFirstPageAsThePageChosen)
{
    const CTempFolder folder;
    const std::string strFont = WriteFont(folder, 1536);
    CPagewingWxDlg& dialog = OpenOnVfdsim();
    m_watcher.Answer(wxID_OK, strFont);
    ClickControl(dialog, IDC_BROWSE);
    ASSERT_TRUE(PumpUntil([&] { return dialog.m_controls.GetText(IDC_FILE_PATH) == strFont; }));
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_filters,
              (std::vector<std::string>{"Dat Files *.dat", "Bin Files *.bin", "All Files(*.*)"}));

    ClickControl(dialog, IDC_AREA_HIGH);
    ASSERT_TRUE(PumpUntil([&] { return dialog.m_controls.GetItems(IDC_PAGE_NO).size() == 8; }));
    dialog.m_controls.SetValue(IDC_PAGE_NO, 4);
    ClickUntilStatus(dialog, IDC_DOWNLOAD_SINGLE_PAGE, kStatusSinglePageComplete, 20s);

    // The frame carries file bytes 0 to 255 whatever the page.
    Bytes page(256);
    std::ifstream(strFont, std::ios::binary).read(reinterpret_cast<char*>(page.data()), 256);
    Bytes expected;
    for (const Bytes& part :
         {Bytes{0x1B, 0x52, 0x01, 0x0C}, Text("Downloading..."), Bytes{0x1B, 0x53, 0x03, 0x05},
          page, Bytes{0x0C}, Text("Download Complete!"),
          Bytes{0x1F, 0x45, 0x0A, 0x1F, 0x45, 0x00, 0x1B, 0x40}})
        expected.insert(expected.end(), part.begin(), part.end());
    ASSERT_EQ(expected.size(), 305u);
    EXPECT_EQ(m_sim.WaitForDisplayBytes(expected.size(), 5s), expected);
}
