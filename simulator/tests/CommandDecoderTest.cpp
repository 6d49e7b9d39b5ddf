#include "CommandDecoder.h"

#include "SimTestSupport.h"

#include <random>

#include <gtest/gtest.h>

namespace
{
struct CommandDecoder : ::testing::Test
{
    std::ostringstream m_out;
    CVirtualClock m_clock;
    CTranscript m_transcript{&m_out, m_clock};
    CVirtualDisplay m_display;
    CCommandDecoder m_decoder{m_display, m_transcript};

    void Feed(const Bytes& bytes)
    {
        for (const std::uint8_t b : bytes)
            m_decoder.Feed(b);
    }
    void Feed(const std::string& strText) { Feed(Bytes(strText.begin(), strText.end())); }
    // The entries written so far, after reporting pending text.
    std::vector<CJsonObject> Entries()
    {
        m_decoder.Settle();
        return ParseTranscript(m_out.str());
    }
    std::vector<CJsonObject> TakeEntries()
    {
        auto entries = Entries();
        m_out.str("");
        return entries;
    }
    std::string Line(int nRow) const
    {
        std::string line = m_display.LineCodes(nRow);
        return line.erase(line.find_last_not_of(' ') + 1);
    }
};

// The "rx" fields of the entries, back to bytes.
Bytes RxOf(const std::vector<CJsonObject>& entries)
{
    Bytes bytes;
    for (const auto& entry : entries)
        if (const auto rx = entry.Get("rx"))
            for (std::size_t i = 0; i + 1 < rx->size(); i += 3)
                bytes.push_back(
                    static_cast<std::uint8_t>(std::stoi(rx->substr(i, 2), nullptr, 16)));
    return bytes;
}
} // namespace

TEST_F(CommandDecoder, EveryCommandOfTheDriverIsOneEntry)
{
    struct CCase
    {
        Bytes m_bytes;
        const char* m_pszEvent;
        const char* m_pszKey;   // a field that tells the command apart
        const char* m_pszValue; // its value as written
    };
    const CCase cases[] = {
        {{0x1B, 0x40}, "initialise", nullptr, nullptr},
        {{0x02, 0x05, 0x52, 0x31, 0x03}, "language", "language", "international"},
        {{0x02, 0x05, 0x52, 0x30, 0x03}, "language", "language", "chinese"},
        {{0x1B, 0x12}, "mode", "mode", "vertical-scroll"},
        {{0x1B, 0x11}, "mode", "mode", "overwrite"},
        {{0x1F, 0x03}, "mode", "mode", "horizontal-scroll"},
        {{0x1F, 0x01}, "mode", "mode", "overwrite"},
        {{0x02, 0x05, 0x43, 0x30, 0x03}, "restore-settings", "digit", "0"},
        {{0x0C}, "clear", nullptr, nullptr},
        {{0x1B, 0x2A, 0x01}, "dimming", "dimmed", "true"},
        {{0x18}, "clear-line", "row", "1"},
        {{0x1B, 0x72, 0x01}, "reverse", "on", "true"},
        {{0x1B, 0x72, 0x00}, "reverse", "on", "false"},
        {{0x1B, 0x51, 0x42, 'H', 'I', 0x0D}, "show-text", "text", "HI"},
        {{0x09}, "cursor", "move", "right"},
        {{0x08}, "cursor", "move", "left"},
        {{0x0A}, "cursor", "move", "down"},
        {{0x1F, 0x0A}, "cursor", "move", "up"},
        {{0x0B}, "cursor", "move", "home"},
        {{0x1F, 0x0D}, "cursor", "move", "line-end"},
        {{0x0D}, "cursor", "move", "line-start"},
        {{0x1F, 0x42}, "cursor", "move", "bottom"},
        {{0x1F, 0x24, 0x05, 0x02}, "cursor", "column", "5"},
        {{0x1B, 0x25, 0x01}, "user-font", "on", "true"},
        {{0x1B, 0x52, 0x02}, "character-set", "name", "Germany"},
        {{0x1B, 0x3F, 0x41}, "cancel-user-character", "code", "65"},
        {{0x1B, 0x3D, 0x02}, "peripheral", "display", "true"},
        {{0x1B, 0x74, 0x02}, "code-table", "name", "PC866"},
        {{0x1F, 0x45, 0x0A}, "blink", "interval_ms", "500"},
        {{0x1F, 0x58, 0x03}, "brightness", "percent", "80"},
        {{0x1F, 0x23, 0x01, 0x07}, "warning", "column", "7"},
        {{0x1F, 0x40}, "self-test", nullptr, nullptr},
        {{0x02, 0x05, 0x42, 0x37, 0x03}, "baud-rate", "baud", "19200"},
        {{0x14, 0x03}, "contrast", "level", "3"},
        {{0x1B, 0x73, 0x04}, "indicator", "name", "change"},
        {{0x1F, 0x50, 0x01}, "thank-you", "on", "true"},
    };
    for (const auto& c : cases)
    {
        Feed(c.m_bytes);
        const auto entries = TakeEntries();
        const std::string strWhat = HexBytes(c.m_bytes.data(), c.m_bytes.size());
        ASSERT_EQ(entries.size(), 1u) << strWhat << "\n" << m_out.str();
        EXPECT_EQ(entries[0].Get("event"), c.m_pszEvent) << strWhat;
        EXPECT_EQ(entries[0].Get("rx"), strWhat);
        EXPECT_FALSE(entries[0].Has("ignored")) << strWhat;
        if (c.m_pszKey)
        {
            EXPECT_EQ(entries[0].Get(c.m_pszKey), c.m_pszValue) << strWhat;
        }
    }
    // What they did, as far as it still shows.
    EXPECT_EQ(m_display.BaudRate(), 19200);
    EXPECT_EQ(m_display.Contrast(), 3);
    EXPECT_EQ(m_display.Brightness(), 3);
    EXPECT_TRUE(m_display.ThankYou());
    EXPECT_EQ(m_display.Indicator(), EIndicator::Change);
    EXPECT_EQ(m_display.WarningColumn(), 7);
    EXPECT_EQ(m_display.CharacterSet(), 2);
    EXPECT_EQ(m_display.CodeTable(), 2);
    EXPECT_EQ(m_display.BlinkInterval(), 10);
    EXPECT_EQ(Line(0), "SELF TEST   9600 BPS"); // before the rate changed
}

TEST_F(CommandDecoder, CharactersAreWrittenAtTheCursorAndReportedAsOneRun)
{
    Feed(std::string("\x0C"
                     "AB\x1F\x24\x03\x02"
                     "cd"));
    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 4u) << m_out.str();
    EXPECT_EQ(entries[1].Get("event"), "text");
    EXPECT_EQ(entries[1].Get("text"), "AB");
    EXPECT_EQ(entries[1].Get("rx"), "41 42");
    EXPECT_EQ(entries[1].GetInteger("column"), 3); // where the cursor ended
    EXPECT_EQ(entries[2].Get("move"), "to");
    EXPECT_EQ(entries[2].GetInteger("row"), 2);
    EXPECT_EQ(entries[3].Get("text"), "cd");
    EXPECT_EQ(Line(0), "AB");
    EXPECT_EQ(Line(1), "  cd");
    // Bytes of 0x80 and above are characters too.
    Feed(Bytes{0x80, 0xFF});
    EXPECT_EQ(Entries().back().Get("rx"), "80 FF");
}

TEST_F(CommandDecoder, TheSetupUtilitysSequencesDecodeOneCommandEach)
{
    // Contrast and initialise in one block, as the settings page sends them.
    Feed(Bytes{0x1F, 0x58, 0x02, 0x1B, 0x40});
    Feed(Bytes{0x1B, 0x52, 0x0F, 0x0C, 0x20, 0x21});
    Feed(Bytes{0x1B, 0x51, 0x41});
    Feed(std::string("ABC\r"));
    const auto entries = Entries();
    std::vector<std::string> events;
    for (const auto& entry : entries)
        events.push_back(*entry.Get("event"));
    EXPECT_EQ(events, (std::vector<std::string>{"brightness", "initialise", "character-set",
                                                "clear", "text", "show-text"}));
    EXPECT_EQ(m_display.Brightness(), 2); // kept through the initialise
    EXPECT_EQ(entries[2].Get("name"), "Downloaded");
    EXPECT_EQ(Line(0), "ABC");
}

TEST_F(CommandDecoder, FontFramesAndDefinitionsStoreGlyphs)
{
    Bytes frame = {0x1B, 0x53, 0x03, 0x02};
    for (int i = 0; i < 256; ++i)
        frame.push_back(static_cast<std::uint8_t>(i ^ 0x5A));
    Feed(frame);
    auto entries = TakeEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Get("event"), "font-page");
    EXPECT_EQ(entries[0].GetInteger("area"), 1);
    EXPECT_EQ(entries[0].GetInteger("page"), 2);
    EXPECT_EQ(entries[0].Get("codes"), "90-9F");
    EXPECT_EQ(RxOf(entries), frame);
    ASSERT_NE(m_display.UserGlyph(0x90), nullptr);
    EXPECT_EQ((*m_display.UserGlyph(0x91))[0], 16 ^ 0x5A);

    // A page outside the area is read whole and not stored.
    frame[2] = 0x02;
    frame[3] = 0x07;
    Feed(frame);
    entries = TakeEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Get("ignored"), "area 0 has pages 1 to 6");
    EXPECT_EQ(m_display.PagesReceived(0), 0u);

    Bytes define = {0x1B, 0x26, 0x41, 0x42};
    define.resize(4 + 32, 0x11);
    Feed(define);
    Feed(std::string("Z"));
    entries = TakeEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Get("event"), "define-characters");
    EXPECT_EQ(entries[0].GetInteger("count"), 2);
    EXPECT_EQ(entries[1].Get("text"), "Z");
    EXPECT_NE(m_display.UserGlyph(0x42), nullptr);
}

TEST_F(CommandDecoder, ABrokenCommandCostsOnlyItsOwnBytes)
{
    struct CCase
    {
        Bytes m_bytes;
        std::vector<std::string> m_events; // "event rx"
    };
    const CCase cases[] = {
        // An ESC of no command: the ESC alone; the next byte is text again.
        {{0x1B, 0x99, 0x0C}, {"unknown 1B", "text 99", "clear 0C"}},
        {{0x1F, 0x77}, {"unknown 1F", "text 77"}},
        // A text command cut by a control byte.
        {{0x1B, 0x51, 0x41, 'A', 0x0A}, {"unknown 1B 51 41 41", "cursor 0A"}},
        // A lost CR: at most 20 text bytes are waited for.
        {{0x1B, 0x51, 0x31, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i',
          'j',  'k',  'l',  'm', 'n', 'o', 'p', 'q', 'r', 's', 't', 'u'},
         {"unknown 1B 51 31 61 62 63 64 65 66 67 68 69 6A 6B 6C 6D 6E 6F 70 71 72 73 74",
          "text 75"}},
        {{0x1B, 0x51, 0x33, 0x0D}, {"unknown 1B 51", "text 33", "cursor 0D"}},
        // A framed command with a byte missing: the next command survives.
        {{0x02, 0x05, 0x52, 0x31, 0x1B, 0x40}, {"unknown 02 05 52 31", "initialise 1B 40"}},
        {{0x02, 0x06}, {"unknown 02", "unknown 06"}},
        {{0x02, 0x05, 0x41}, {"unknown 02 05", "text 41"}},
        {{0x02, 0x05, 0x42, 0x41}, {"unknown 02 05 42", "text 41"}},
        {{0x1B, 0x53, 0x04, 0x0C}, {"unknown 1B 53", "unknown 04", "clear 0C"}},
        {{0x1B, 0x26, 0x42, 0x41}, {"unknown 1B 26 42", "text 41"}},
        {{0x1B, 0x26, 0x10}, {"unknown 1B 26", "unknown 10"}},
        {{0x00, 0x07, 0x1C}, {"unknown 00", "unknown 07", "unknown 1C"}},
    };
    for (const auto& c : cases)
    {
        Feed(c.m_bytes);
        m_decoder.OnIdle();
        const auto entries = TakeEntries();
        std::vector<std::string> events;
        for (const auto& entry : entries)
            events.push_back(*entry.Get("event") + " " + *entry.Get("rx"));
        EXPECT_EQ(events, c.m_events) << HexBytes(c.m_bytes.data(), c.m_bytes.size());
        EXPECT_EQ(RxOf(entries), c.m_bytes);
    }
}

TEST_F(CommandDecoder, ACommandCutShortByAQuietLineIsGivenUp)
{
    Feed(Bytes{0x1B, 0x53, 0x02, 0x01, 0xAA, 0xBB});
    EXPECT_TRUE(m_decoder.InCommand());
    m_decoder.Settle(); // a short pause keeps the command
    EXPECT_TRUE(m_decoder.InCommand());
    m_decoder.OnIdle();
    EXPECT_FALSE(m_decoder.InCommand());
    auto entries = TakeEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Get("event"), "unknown");
    EXPECT_EQ(entries[0].Get("reason"), "incomplete");
    EXPECT_EQ(entries[0].Get("rx"), "1B 53 02 01 AA BB");
    Feed(std::string("ok"));
    EXPECT_EQ(Line(0), "ok");
}

TEST_F(CommandDecoder, ValuesTheDisplayDoesNotKnowAreReportedAndIgnored)
{
    const std::pair<Bytes, const char*> cases[] = {
        {{0x1F, 0x58, 0x05}, "brightness levels are 1 to 4"},
        {{0x14, 0x08}, "contrast levels are 0 to 7"},
        {{0x1B, 0x52, 0x10}, "no such character set"},
        {{0x1B, 0x74, 0x08}, "no such code table"},
        {{0x1B, 0x73, 0x05}, "indicators are 0 to 4"},
        {{0x1F, 0x50, 0x02}, "the option is 0 or 1"},
        {{0x1F, 0x24, 0x15, 0x01}, "columns are 1 to 20, rows 1 to 2"},
        {{0x1F, 0x23, 0x01, 0x00}, "columns are 1 to 20"},
        {{0x02, 0x05, 0x52, 0x32, 0x03}, "languages are 0 and 1"},
        {{0x02, 0x05, 0x42, 0x35, 0x03}, "no such baud rate code"},
        {{0x02, 0x05, 0x43, 0x31, 0x03}, "only 0 is known"},
        {{0x1B, 0x3F, 0x05}, "not a character code"},
    };
    for (const auto& [bytes, pszWhy] : cases)
    {
        Feed(bytes);
        const auto entries = TakeEntries();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].Get("ignored"), pszWhy);
        EXPECT_EQ(RxOf(entries), bytes);
    }
    EXPECT_EQ(m_display.Brightness(), 4);
    EXPECT_EQ(m_display.CursorColumn(), 0);
}

TEST_F(CommandDecoder, ADeselectedDisplayListensOnlyForItsSelection)
{
    Feed(Bytes{0x1B, 0x3D, 0x01});
    Feed(std::string("printer\x0C"));
    Feed(Bytes{0x1B, 0x40});
    Feed(Bytes{0x1B, 0x3D, 0x02});
    Feed(std::string("shown"));
    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 6u) << m_out.str();
    EXPECT_EQ(entries[0].Get("display"), "false");
    EXPECT_EQ(entries[1].Get("event"), "ignored");
    EXPECT_EQ(entries[1].Get("text"), "printer");
    EXPECT_EQ(entries[2].Get("event"), "ignored");
    EXPECT_EQ(entries[2].Get("rx"), "0C");
    EXPECT_EQ(entries[3].Get("rx"), "1B 40");
    EXPECT_EQ(entries[4].Get("display"), "true");
    EXPECT_EQ(Line(0), "shown");
}

TEST_F(CommandDecoder, RandomBytesNeverWedgeTheDecoderAndEveryByteIsAccountedFor)
{
    std::mt19937 random(1234);
    Bytes all;
    for (int nRound = 0; nRound < 200; ++nRound)
    {
        Bytes noise(random() % 40);
        for (auto& b : noise)
            b = static_cast<std::uint8_t>(random() % 4 ? random() % 0x20 : random());
        Feed(noise);
        all.insert(all.end(), noise.begin(), noise.end());
        if (nRound % 10 == 0)
        {
            m_decoder.OnIdle();
            // After a quiet moment the display understands a command again.
            const Bytes clear = {0x1B, 0x3D, 0x02, 0x0C, 'O', 'K'};
            Feed(clear);
            all.insert(all.end(), clear.begin(), clear.end());
            m_decoder.Settle();
            EXPECT_EQ(Line(0).substr(0, 2), "OK") << nRound;
        }
    }
    m_decoder.OnIdle();
    EXPECT_EQ(RxOf(Entries()), all);
}

TEST_F(CommandDecoder, ClearingTheWarningMarkWithColumnZeroIsObeyed)
{
    Feed(Bytes{0x1F, 0x23, 0x01, 0x04, 0x1F, 0x23, 0x00, 0x00});
    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 2u) << m_out.str();
    EXPECT_EQ(entries[1].Get("on"), "false");
    EXPECT_FALSE(entries[1].Has("ignored")) << m_out.str();
    EXPECT_EQ(m_display.WarningColumn(), 0);
}
