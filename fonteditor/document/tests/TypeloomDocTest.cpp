#include "TypeloomDoc.h"

#include "File.h"
#include "RecordingMessageTarget.h"
#include "RecordingUserInterface.h"
#include "TempFolder.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// A view that records what the document tells it.
class CFakeDocumentView final : public CRecordingMessageTargetOf<CDocumentView>
{
public:
    using CMessage = CSentMessage;

    void OnUpdate(std::intptr_t nHint) override { m_updates.push_back(nHint); }
    const CGlyph* GetPendingEdit() const override { return m_pending ? &*m_pending : nullptr; }

    std::vector<std::intptr_t> m_updates;
    std::optional<CGlyph> m_pending;
};

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
    // Before the document, which holds a file in it.
    CTempFolder temp;
    fs::path dir = temp.Path();
    CRecordingUserInterface ui;
    CTypeloomDoc doc{ui};
    std::vector<std::uint8_t> page = std::vector<std::uint8_t>(kPageBufferBytes, 0xEE);
    std::vector<std::uint8_t> flags = std::vector<std::uint8_t>(256, 0xEE);

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
    void Open(const fs::path& path) { ASSERT_TRUE(doc.OnOpenDocument(path.string())); }
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

    CTypeloomDoc other(ui);
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

    doc.SetPathName((dir / "vanished").string()); // never opened
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
    ASSERT_EQ(doc.OnSaveDocument(target.string()), ESaveResult::Saved);
    const std::string bytes = ReadWholeFile(target);
    ASSERT_EQ(bytes.size(), 128u);
    EXPECT_EQ(bytes.substr(0, 96), std::string(96, '\0'));
    EXPECT_EQ(bytes.substr(96), std::string(32, '\x5A'));
    EXPECT_TRUE(doc.GetChanges().empty());
    EXPECT_EQ(doc.GetPathName(), target.string());

    // An empty list creates an empty file.
    CTypeloomDoc doc2(ui);
    ASSERT_EQ(doc2.OnSaveDocument((dir / "empty.fnt").string()), ESaveResult::Saved);
    EXPECT_TRUE(fs::exists(dir / "empty.fnt"));
    EXPECT_EQ(fs::file_size(dir / "empty.fnt"), 0u);
}

TEST_F(DocumentTest, SaveCommitsThroughTheFirstViewAndUpdatesEveryView)
{
    const auto path = MakeFont("f", 8192);
    Open(path);
    CFakeDocumentView first, second;
    doc.AddView(first);
    doc.AddView(second);
    // The first view answers the selection message by committing its edit.
    first.m_onMessage = [&](const CFakeDocumentView::CMessage&)
    { doc.AddChange(Filled(0x41, 0x77)); };

    ASSERT_EQ(doc.OnSaveDocument(path.string()), ESaveResult::Saved);
    const std::vector<CFakeDocumentView::CMessage> selectCell00 = {{WM_SELECTGLYPH, 0, 0}};
    EXPECT_EQ(first.m_messages, selectCell00);
    EXPECT_TRUE(second.m_messages.empty());
    EXPECT_EQ(first.m_updates, std::vector<std::intptr_t>{1});
    EXPECT_EQ(second.m_updates, std::vector<std::intptr_t>{1});

    const std::string bytes = ReadWholeFile(path);
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
    ASSERT_EQ(doc.OnSaveDocument(path.string()), ESaveResult::Saved);
    EXPECT_EQ(ReadWholeFile(path).substr(0x41 * 32, 32), std::string(32, '\x02'));
}

TEST_F(DocumentTest, SaveAsCopiesFirstAndLeavesTheOldFileAlone)
{
    const auto path = MakeFont("old", 1000);
    const std::string original = ReadWholeFile(path);
    Open(path);
    doc.AddChange(Filled(2, 0x99));
    const auto target = dir / "copy";
    std::ofstream(target, std::ios::binary) << "stale contents";

    ASSERT_EQ(doc.OnSaveDocument(target.string()), ESaveResult::Saved);
    EXPECT_EQ(ReadWholeFile(path), original);
    std::string expected = original;
    expected.replace(64, 32, std::string(32, '\x99'));
    EXPECT_EQ(ReadWholeFile(target), expected);
    EXPECT_EQ(doc.GetPathName(), target.string());
    EXPECT_EQ(doc.GetGlyphCount(), 31u);
}

TEST_F(DocumentTest, SavingWithoutChanges)
{
    const auto path = MakeFont("f", 100);
    const std::string original = ReadWholeFile(path);
    Open(path);
    ASSERT_EQ(doc.OnSaveDocument(path.string()), ESaveResult::Saved);
    EXPECT_EQ(ReadWholeFile(path), original);
    ASSERT_EQ(doc.OnSaveDocument((dir / "as").string()), ESaveResult::Saved);
    EXPECT_EQ(ReadWholeFile(dir / "as"), original);
}

TEST_F(DocumentTest, DeletedOrMovedFontsStillSaveWhole)
{
    for (const bool bMove : {false, true})
    {
        SCOPED_TRACE(bMove ? "moved" : "deleted");
        CRecordingUserInterface ui2;
        CTypeloomDoc doc2(ui2);
        const auto path = MakeFont("f", 1000);
        const std::string original = ReadWholeFile(path);
        ASSERT_TRUE(doc2.OnOpenDocument(path.string()));
        doc2.AddChange(Filled(2, 0x99));
        std::error_code ec;
        if (bMove)
            fs::rename(path, dir / "elsewhere", ec);
        else
            fs::remove(path, ec);
#ifdef _WIN32
        // Windows refuses to delete or move a file that is open: the font stays.
        EXPECT_TRUE(ec);
        EXPECT_EQ(ReadWholeFile(path), original);
        continue;
#endif
        ASSERT_FALSE(ec) << ec.message();

        // Pages still read, and Save As writes the complete font.
        EXPECT_EQ(doc2.ReadPage(0, page.data(), flags.data()), 1000);
        const auto target = dir / "as";
        ASSERT_EQ(doc2.OnSaveDocument(target.string()), ESaveResult::Saved);
        std::string expected = original;
        expected.replace(64, 32, std::string(32, '\x99'));
        EXPECT_EQ(ReadWholeFile(target), expected);
        EXPECT_TRUE(ui2.m_messages.empty());
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

    ui.m_answers = {EMessageResult::No};
    EXPECT_EQ(doc.OnSaveDocument(path.string()), ESaveResult::Cancelled);
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.m_messages[0].m_strText.find("deleted or moved"), std::string::npos);
    EXPECT_EQ(ui.m_messages[0].m_buttons, EMessageButtons::YesNo);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(doc.GetChanges().size(), 1u);

    ui.m_answers = {EMessageResult::Yes};
    ui.m_fileAnswers = {(dir / "as").string()};
    ASSERT_EQ(doc.OnSaveDocument(path.string()), ESaveResult::Saved);
    ASSERT_EQ(ui.m_fileDialogs.size(), 1u);
    EXPECT_FALSE(ui.m_fileDialogs[0].m_bOpen);
    const std::string bytes = ReadWholeFile(dir / "as");
    ASSERT_EQ(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 32), std::string(32, '\x12'));
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[99]), 99);
    EXPECT_EQ(doc.GetPathName(), (dir / "as").string());
}

TEST_F(DocumentTest, ShortenedFontKeepsTheEditsAndNamesTheZeroGlyphs)
{
    const auto path = MakeFont("f", 8192);
    Open(path);
    doc.SetGlyphSize(16, 16);
    doc.AddChange(Filled(200, 0x44));
    fs::resize_file(path, 100); // replaced in place by a shorter file

    ASSERT_EQ(doc.OnSaveDocument((dir / "as").string()), ESaveResult::Saved);
    const std::string bytes = ReadWholeFile(dir / "as");
    ASSERT_EQ(bytes.size(), 8192u);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[99]), 99);
    EXPECT_EQ(bytes.substr(100, 200 * 32 - 100), std::string(200 * 32 - 100, '\0'));
    EXPECT_EQ(bytes.substr(200 * 32, 32), std::string(32, '\x44'));
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.m_messages[0].m_strText.find("0x3 to 0xFF"), std::string::npos);
}

TEST_F(DocumentTest, UnwritableTargetsNameTheFileAndKeepTheChanges)
{
    doc.AddChange(Filled(0, 0x12));
    const auto target = dir / "no" / "such" / "folder" / "f";
    EXPECT_EQ(doc.OnSaveDocument(target.string()), ESaveResult::Failed);
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.m_messages[0].m_strText.find(target.string()), std::string::npos);
    EXPECT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_TRUE(doc.GetPathName().empty());

    EXPECT_EQ(doc.OnSaveDocument(dir.string()), ESaveResult::Failed); // a folder is no file
    EXPECT_EQ(ui.m_messages.size(), 2u);

    // The same changes can then be saved elsewhere.
    ASSERT_EQ(doc.OnSaveDocument((dir / "ok").string()), ESaveResult::Saved);
    EXPECT_EQ(ReadWholeFile(dir / "ok"), std::string(32, '\x12'));
}

TEST_F(DocumentTest, ReadOnlyTargetIsNotReportedAsSaved)
{
    const auto path = MakeFont("ro", 64);
    Open(path);
    CFile::FailNext(CFile::EOperation::Open, EACCES); // read-only for this user
    doc.AddChange(Filled(0, 0x12));
    EXPECT_EQ(doc.OnSaveDocument(path.string()), ESaveResult::Failed);
    EXPECT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(ui.m_messages.size(), 1u);
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

TEST_F(DocumentTest, ClosingAsksOnlyWhenSavingWouldChangeTheFile)
{
    const auto path = MakeFont("f", 8192);
    Open(path);
    CFakeDocumentView view;
    doc.AddView(view);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.AskBeforeClose("f"), ECloseAnswer::Close);
    EXPECT_TRUE(ui.m_messages.empty());

    // An edit pending in a view counts; one that puts back the file's bytes does not.
    view.m_pending = Filled(1, 0);
    for (unsigned i = 0; i < 32; ++i)
        view.m_pending->m_bits[i] = static_cast<std::uint8_t>((32 + i) % 251);
    EXPECT_FALSE(doc.IsModified());
    view.m_pending->m_bits[0] ^= 1;
    EXPECT_TRUE(doc.IsModified());

    ui.m_answers = {EMessageResult::Yes, EMessageResult::No, EMessageResult::Cancel};
    EXPECT_EQ(doc.AskBeforeClose("f"), ECloseAnswer::SaveFirst);
    EXPECT_EQ(doc.AskBeforeClose("f"), ECloseAnswer::Close);
    EXPECT_EQ(doc.AskBeforeClose("f"), ECloseAnswer::Stay);
    ASSERT_EQ(ui.m_messages.size(), 3u);
    EXPECT_EQ(ui.m_messages[0].m_strText, "Save changes to " + path.string() + "?");
    EXPECT_EQ(ui.m_messages[0].m_buttons, EMessageButtons::YesNoCancel);

    doc.Discard();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.AskBeforeClose("f"), ECloseAnswer::Close);
    EXPECT_EQ(ui.m_messages.size(), 3u);
    doc.RemoveView(view);
}

TEST_F(DocumentTest, SavingANewDocumentAsksWhereThenSavesInPlace)
{
    doc.AddChange(Filled(0, 0x12));
    EXPECT_TRUE(doc.IsModified());
    ui.m_answers = {EMessageResult::Cancel};
    EXPECT_EQ(doc.AskBeforeClose("Font1"), ECloseAnswer::Stay);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Save changes to Font1?"});

    // The title is offered as the name, without what a file name may not hold.
    ui.m_fileAnswers = {std::nullopt, (dir / "new.fnt").string()};
    EXPECT_EQ(doc.Save("A/B:C*1"), ESaveResult::Cancelled);
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(doc.Save("A/B:C*1"), ESaveResult::Saved);
    ASSERT_EQ(ui.m_fileDialogs.size(), 2u);
    EXPECT_EQ(ui.m_fileDialogs[0].m_strFileName, "ABC1");
    EXPECT_FALSE(ui.m_fileDialogs[0].m_bOpen);
    EXPECT_EQ(doc.GetPathName(), (dir / "new.fnt").string());
    EXPECT_FALSE(doc.IsModified());

    // Saved once, Save asks nothing; Save As offers the file.
    doc.AddChange(Filled(1, 0x34));
    EXPECT_EQ(doc.Save("new.fnt"), ESaveResult::Saved);
    EXPECT_EQ(ui.m_fileDialogs.size(), 2u);
    EXPECT_EQ(ReadWholeFile(dir / "new.fnt").substr(32), std::string(32, '\x34'));
    ui.m_fileAnswers = {std::nullopt};
    EXPECT_EQ(doc.SaveAs("new.fnt"), ESaveResult::Cancelled);
    EXPECT_EQ(ui.m_fileDialogs.back().m_strFileName, (dir / "new.fnt").string());
}
