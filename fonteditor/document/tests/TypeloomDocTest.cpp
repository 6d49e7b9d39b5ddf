#include "TypeloomDoc.h"

#include "FakeDocumentSite.h"
#include "File.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <unistd.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

CGlyph Filled(std::uint32_t code, std::uint8_t value, unsigned w = 16, unsigned h = 16)
{
    CGlyph g;
    g.m_nWidth = w;
    g.m_nHeight = h;
    g.m_nCode = code;
    g.m_bits.fill(value);
    return g;
}

struct DocumentTest : ::testing::Test
{
    fs::path dir = fs::temp_directory_path() /
                   ("vfd_doc_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    CFakeDocumentSite site;
    CTypeloomDoc doc{site};
    std::vector<std::uint8_t> page = std::vector<std::uint8_t>(kPageBufferBytes, 0xEE);
    std::vector<std::uint8_t> flags = std::vector<std::uint8_t>(256, 0xEE);

    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }

    // A font file whose byte i is i mod 251, so every offset is recognisable.
    fs::path MakeFont(const std::string& name, std::size_t length)
    {
        std::string bytes(length, '\0');
        for (std::size_t i = 0; i < length; ++i)
            bytes[i] = static_cast<char>(i % 251);
        const auto path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    void Open(const fs::path& path)
    {
        ASSERT_TRUE(doc.OnOpenDocument(path.string()));
        site.m_strPathName = path.string();
    }
};
} // namespace

TEST_F(DocumentTest, OpenRecordsOnlyTheLength)
{
    Open(MakeFont("f", 8192));
    EXPECT_EQ(doc.m_nFileLength, 8192u);
    EXPECT_EQ(doc.GetGlyphCount(), 256u);
    EXPECT_EQ(doc.GetLastPage(), 0u);
    doc.SetGlyphSize(8, 8);
    EXPECT_EQ(doc.GetGlyphCount(), 1024u);
    EXPECT_EQ(doc.GetLastPage(), 3u);
    EXPECT_TRUE(doc.GetChanges().empty());

    CTypeloomDoc other(site);
    const COpenResult missing = other.OnOpenDocument((dir / "missing").string());
    EXPECT_EQ(missing.m_eStatus, COpenResult::EStatus::CannotOpen);
    EXPECT_FALSE(missing.m_strCause.empty());
}

TEST_F(DocumentTest, EmptyFontHasOnePageAndReadsOnlyTheOverlay)
{
    Open(MakeFont("empty", 0));
    EXPECT_EQ(doc.GetGlyphCount(), 0u);
    EXPECT_EQ(doc.GetLastPage(), 0u);
    doc.AddChange(Filled(2, 0x11));
    EXPECT_EQ(doc.ReadPage(0, page.data(), flags.data()), 0);
    EXPECT_EQ(flags[2], 1);
    EXPECT_EQ(flags[0], 0);
    EXPECT_EQ(page[64], 0x11);
    EXPECT_EQ(page[0], 0xEE); // nothing read, nothing cleared
}

TEST_F(DocumentTest, PageReadsAndTheLastIncompletePage)
{
    Open(MakeFont("f", 32 * 300));
    EXPECT_EQ(doc.ReadPage(0, page.data(), flags.data()), 8192);
    EXPECT_EQ(page[8191], 8191 % 251);
    EXPECT_EQ(page[8192], 0xEE);

    std::fill(page.begin(), page.end(), 0xEE);
    EXPECT_EQ(doc.ReadPage(256, page.data(), flags.data()), 44 * 32);
    EXPECT_EQ(page[0], (256 * 32) % 251);
    EXPECT_EQ(page[44 * 32], 0xEE); // glyphs past the end keep what the buffer held
    EXPECT_EQ(std::accumulate(flags.begin(), flags.end(), 0), 0);
}

TEST_F(DocumentTest, NoPathOrNoFileLeavesTheBufferAlone)
{
    EXPECT_EQ(doc.ReadPage(0, page.data(), flags.data()), 0);
    EXPECT_EQ(flags[0], 0xEE);

    site.m_strPathName = (dir / "vanished").string(); // never opened
    doc.AddChange(Filled(0, 1));
    EXPECT_EQ(doc.ReadPage(0, page.data(), flags.data()), -1);
    EXPECT_EQ(page[0], 0xEE);
    EXPECT_EQ(flags[0], 0xEE);
}

TEST_F(DocumentTest, FileThatShrankSinceOpenReadsWhatIsLeft)
{
    const auto path = MakeFont("f", 8192);
    Open(path);
    fs::resize_file(path, 100);
    EXPECT_EQ(doc.GetGlyphCount(), 256u); // as opened
    EXPECT_EQ(doc.ReadPage(0, page.data(), flags.data()), 100);
    EXPECT_EQ(page[99], 99);
    EXPECT_EQ(page[100], 0xEE);
    EXPECT_EQ(doc.ReadPage(256, page.data(), flags.data()), 0);
}

TEST_F(DocumentTest, ReadOnlyFontsAreStillShown)
{
    const auto path = MakeFont("ro", 64);
    Open(path);
    CFile::FailNext(CFile::EOperation::Open, EACCES); // read-only for this user
    EXPECT_EQ(doc.ReadPage(0, page.data(), flags.data()), 64);
}

TEST_F(DocumentTest, OverlayPlacesEntriesOfThePageOnly)
{
    Open(MakeFont("f", 32 * 512));
    doc.AddChange(Filled(0x141, 0x41));
    doc.AddChange(Filled(0x05, 0x05));
    EXPECT_EQ(doc.ReadPage(0x100, page.data(), flags.data()), 8192);
    EXPECT_EQ(flags[0x41], 1);
    EXPECT_EQ(std::accumulate(flags.begin(), flags.end(), 0), 1);
    EXPECT_EQ(page[0x41 * 32], 0x41);
    EXPECT_EQ(page[0x41 * 32 + 31], 0x41);
    EXPECT_EQ(page[0x41 * 32 + 32], (0x142 * 32) % 251);

    doc.ReadPage(0, page.data(), flags.data());
    EXPECT_EQ(flags[5], 1);
    EXPECT_EQ(flags[0x41], 0);
}

TEST_F(DocumentTest, LaterEntriesWinAndEachKeepsItsOwnGeometry)
{
    Open(MakeFont("f", 8192));
    doc.AddChange(Filled(3, 0xAA));
    doc.AddChange(Filled(3, 0xBB));
    doc.ReadPage(0, page.data(), flags.data());
    EXPECT_EQ(page[3 * 32], 0xBB);
    EXPECT_EQ(doc.GetChanges().size(), 2u); // every commit is listed

    // Each commit lands at its own offset and size: code 1 as 32 x 32 at 128,
    // then as 8 x 8 at 8. The later one does not hide the earlier.
    doc.AddChange(Filled(1, 0x32, 32, 32));
    doc.AddChange(Filled(1, 0x08, 8, 8));
    doc.ReadPage(0, page.data(), flags.data());
    EXPECT_EQ(page[7], 7);
    EXPECT_EQ(page[8], 0x08);
    EXPECT_EQ(page[15], 0x08);
    EXPECT_EQ(page[16], 16);
    EXPECT_EQ(page[128], 0x32);
    EXPECT_EQ(page[255], 0x32);
}

TEST_F(DocumentTest, SavingANewDocumentWritesOnlyTheChangedGlyphs)
{
    doc.AddChange(Filled(3, 0x5A));
    const auto target = dir / "new.fnt";
    ASSERT_TRUE(doc.OnSaveDocument(target.string()));
    const std::string bytes = Slurp(target);
    ASSERT_EQ(bytes.size(), 128u);
    EXPECT_EQ(bytes.substr(0, 96), std::string(96, '\0'));
    EXPECT_EQ(bytes.substr(96), std::string(32, '\x5A'));
    EXPECT_TRUE(doc.GetChanges().empty());
    EXPECT_EQ(site.m_strPathName, target.string());
    EXPECT_EQ(site.m_recent, std::vector<std::string>{target.string()});

    // An empty list creates an empty file.
    CFakeDocumentSite site2;
    CTypeloomDoc doc2(site2);
    ASSERT_TRUE(doc2.OnSaveDocument((dir / "empty.fnt").string()));
    EXPECT_TRUE(fs::exists(dir / "empty.fnt"));
    EXPECT_EQ(fs::file_size(dir / "empty.fnt"), 0u);
}

TEST_F(DocumentTest, SaveCommitsThroughTheFirstViewAndUpdatesEveryView)
{
    const auto path = MakeFont("f", 8192);
    Open(path);
    CFakeDocumentView first, second;
    site.m_views = {&first, &second};
    // The first view answers the selection message by committing its edit.
    first.m_onMessage = [&](const CFakeDocumentView::CMessage&)
    { doc.AddChange(Filled(0x41, 0x77)); };

    ASSERT_TRUE(doc.OnSaveDocument(path.string()));
    const std::vector<CFakeDocumentView::CMessage> selectCell00 = {{WM_SELECTGLYPH, 0, 0}};
    EXPECT_EQ(first.m_messages, selectCell00);
    EXPECT_TRUE(second.m_messages.empty());
    EXPECT_EQ(first.m_updates, std::vector<std::intptr_t>{1});
    EXPECT_EQ(second.m_updates, std::vector<std::intptr_t>{1});

    const std::string bytes = Slurp(path);
    ASSERT_EQ(bytes.size(), 8192u);
    EXPECT_EQ(bytes.substr(0x41 * 32, 32), std::string(32, '\x77'));
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[0x41 * 32 - 1]), (0x41 * 32 - 1) % 251);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[0x42 * 32]), (0x42 * 32) % 251);
    EXPECT_EQ(doc.m_nFileLength, 8192u); // the length stays as opened
}

TEST_F(DocumentTest, TwoCommitsOfOneCodeSaveTheSecond)
{
    const auto path = MakeFont("f", 8192);
    Open(path);
    doc.AddChange(Filled(0x41, 0x01));
    doc.AddChange(Filled(0x41, 0x02));
    ASSERT_TRUE(doc.OnSaveDocument(path.string()));
    EXPECT_EQ(Slurp(path).substr(0x41 * 32, 32), std::string(32, '\x02'));
}

TEST_F(DocumentTest, SaveAsCopiesFirstAndLeavesTheOldFileAlone)
{
    const auto path = MakeFont("old", 1000);
    const std::string original = Slurp(path);
    Open(path);
    doc.AddChange(Filled(2, 0x99));
    const auto target = dir / "copy";
    std::ofstream(target, std::ios::binary) << "stale contents";

    ASSERT_TRUE(doc.OnSaveDocument(target.string()));
    EXPECT_EQ(Slurp(path), original);
    std::string expected = original;
    expected.replace(64, 32, std::string(32, '\x99'));
    EXPECT_EQ(Slurp(target), expected);
    EXPECT_EQ(site.m_strPathName, target.string());
    EXPECT_EQ(doc.GetGlyphCount(), 31u);
}

TEST_F(DocumentTest, SavingWithoutChanges)
{
    const auto path = MakeFont("f", 100);
    const std::string original = Slurp(path);
    Open(path);
    ASSERT_TRUE(doc.OnSaveDocument(path.string()));
    EXPECT_EQ(Slurp(path), original);
    ASSERT_TRUE(doc.OnSaveDocument((dir / "as").string()));
    EXPECT_EQ(Slurp(dir / "as"), original);
}

TEST_F(DocumentTest, DeletedOrMovedFontsStillSaveWhole)
{
    for (const bool bMove : {false, true})
    {
        SCOPED_TRACE(bMove ? "moved" : "deleted");
        CFakeDocumentSite site2;
        CTypeloomDoc doc2(site2);
        const auto path = MakeFont("f", 1000);
        const std::string original = Slurp(path);
        ASSERT_TRUE(doc2.OnOpenDocument(path.string()));
        site2.m_strPathName = path.string();
        doc2.AddChange(Filled(2, 0x99));
        std::error_code ec;
        if (bMove)
            fs::rename(path, dir / "elsewhere", ec);
        else
            fs::remove(path, ec);
#ifdef _WIN32
        // Windows refuses to delete or move a file that is open: the font stays.
        EXPECT_TRUE(ec);
        EXPECT_EQ(Slurp(path), original);
        continue;
#endif
        ASSERT_FALSE(ec) << ec.message();

        // Pages still read, and Save As writes the complete font.
        EXPECT_EQ(doc2.ReadPage(0, page.data(), flags.data()), 1000);
        const auto target = dir / "as";
        ASSERT_TRUE(doc2.OnSaveDocument(target.string()));
        std::string expected = original;
        expected.replace(64, 32, std::string(32, '\x99'));
        EXPECT_EQ(Slurp(target), expected);
        EXPECT_TRUE(site2.m_ui.m_messages.empty());
        fs::remove(target);
        fs::remove(dir / "elsewhere");
    }
}

TEST_F(DocumentTest, SaveToAVanishedPathOffersSaveAs)
{
    const auto path = MakeFont("f", 100);
#ifdef _WIN32
    GTEST_SKIP() << "Windows deletes no file that is open";
#endif
    Open(path);
    doc.AddChange(Filled(0, 0x12));
    fs::remove(path);

    site.m_ui.m_answers = {EMessageResult::No};
    EXPECT_FALSE(doc.OnSaveDocument(path.string()));
    ASSERT_EQ(site.m_ui.m_messages.size(), 1u);
    EXPECT_NE(site.m_ui.m_messages[0].m_strText.find("deleted or moved"), std::string::npos);
    EXPECT_EQ(site.m_ui.m_messages[0].m_buttons, EMessageButtons::YesNo);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(doc.GetChanges().size(), 1u);

    site.m_ui.m_answers = {EMessageResult::Yes};
    site.m_ui.m_fileAnswers = {(dir / "as").string()};
    ASSERT_TRUE(doc.OnSaveDocument(path.string()));
    ASSERT_EQ(site.m_ui.m_fileDialogs.size(), 1u);
    EXPECT_FALSE(site.m_ui.m_fileDialogs[0].m_bOpen);
    const std::string bytes = Slurp(dir / "as");
    ASSERT_EQ(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 32), std::string(32, '\x12'));
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[99]), 99);
    EXPECT_EQ(site.m_strPathName, (dir / "as").string());
}

TEST_F(DocumentTest, ShortenedFontKeepsTheEditsAndNamesTheZeroGlyphs)
{
    const auto path = MakeFont("f", 8192);
    Open(path);
    doc.SetGlyphSize(16, 16);
    doc.AddChange(Filled(200, 0x44));
    fs::resize_file(path, 100); // replaced in place by a shorter file

    ASSERT_TRUE(doc.OnSaveDocument((dir / "as").string()));
    const std::string bytes = Slurp(dir / "as");
    ASSERT_EQ(bytes.size(), 8192u);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[99]), 99);
    EXPECT_EQ(bytes.substr(100, 200 * 32 - 100), std::string(200 * 32 - 100, '\0'));
    EXPECT_EQ(bytes.substr(200 * 32, 32), std::string(32, '\x44'));
    ASSERT_EQ(site.m_ui.m_messages.size(), 1u);
    EXPECT_NE(site.m_ui.m_messages[0].m_strText.find("0x3 to 0xFF"), std::string::npos);
}

TEST_F(DocumentTest, UnwritableTargetsNameTheFileAndKeepTheChanges)
{
    doc.AddChange(Filled(0, 0x12));
    const auto target = dir / "no" / "such" / "folder" / "f";
    EXPECT_FALSE(doc.OnSaveDocument(target.string()));
    ASSERT_EQ(site.m_ui.m_messages.size(), 1u);
    EXPECT_NE(site.m_ui.m_messages[0].m_strText.find(target.string()), std::string::npos);
    EXPECT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_TRUE(site.m_strPathName.empty());

    EXPECT_FALSE(doc.OnSaveDocument(dir.string())); // a folder is no file
    EXPECT_EQ(site.m_ui.m_messages.size(), 2u);

    // The same changes can then be saved elsewhere.
    ASSERT_TRUE(doc.OnSaveDocument((dir / "ok").string()));
    EXPECT_EQ(Slurp(dir / "ok"), std::string(32, '\x12'));
}

TEST_F(DocumentTest, ReadOnlyTargetIsNotReportedAsSaved)
{
    const auto path = MakeFont("ro", 64);
    Open(path);
    CFile::FailNext(CFile::EOperation::Open, EACCES); // read-only for this user
    doc.AddChange(Filled(0, 0x12));
    EXPECT_FALSE(doc.OnSaveDocument(path.string()));
    EXPECT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(site.m_ui.m_messages.size(), 1u);
}

TEST_F(DocumentTest, OnlyEditsThatDifferFromTheFileCountAsChanges)
{
    EXPECT_FALSE(doc.WouldChangeFile({}));
    const CGlyph pendingNew = Filled(0, 0);
    EXPECT_TRUE(doc.WouldChangeFile({&pendingNew})); // no file yet: saving creates one

    const auto path = MakeFont("f", 8192);
    Open(path);
    CGlyph same = Filled(1, 0);
    for (unsigned i = 0; i < 32; ++i)
        same.m_bits[i] = static_cast<std::uint8_t>((32 + i) % 251);
    EXPECT_FALSE(doc.WouldChangeFile({&same}));
    const CGlyph different = Filled(1, 0x55);
    EXPECT_TRUE(doc.WouldChangeFile({&different}));
    const CGlyph pastTheEnd = Filled(256, 0);
    EXPECT_TRUE(doc.WouldChangeFile({&pastTheEnd}));

    doc.AddChange(different);
    EXPECT_TRUE(doc.WouldChangeFile({}));
    EXPECT_FALSE(doc.WouldChangeFile({&same})); // the pending edit puts it back
    doc.AddChange(same);
    EXPECT_FALSE(doc.WouldChangeFile({}));
}
