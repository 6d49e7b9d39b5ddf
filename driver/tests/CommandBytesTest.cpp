#include "ExportsFixture.h"

namespace
{
struct CCommandCase
{
    std::int32_t m_nOrdinal;
    const char* m_pszName;
    std::vector<std::int64_t> m_args;
    Bytes m_bytes;
};

// Every display command, reached by its ordinal, with the bytes it must send.
const std::vector<CCommandCase> kCommands = {
    {4, "SetBaudRate", {2}, {0x02, 0x05, 0x42, 0x32, 0x03}},
    {5, "InitDisplay", {}, {0x1B, 0x40}},
    {6, "DisplayModal", {3}, {0x02, 0x05, 0x52, 0x33, 0x03}},
    {7, "SelectMode", {2}, {0x1B, 0x12}},
    {8, "InitDisplay1", {}, {0x02, 0x05, 0x43, 0x30, 0x03}},
    {9, "ClearDisplay", {}, {0x0C}},
    {10, "SetDimming", {0x55}, {0x1B, 0x2A, 0x55}},
    {11, "ClearCursorLine", {}, {0x18}},
    {13, "SetReverse", {1}, {0x1B, 0x72, 0x01}},
    {19, "MoveCurToLeft", {}, {0x08}},
    {20, "MoveCurToRight", {}, {0x09}},
    {21, "MoveCurDownLine", {}, {0x0A}},
    {22, "MoveCurUpLine", {}, {0x1F, 0x0A}},
    {23, "MoveCurToHome", {}, {0x0B}},
    {24, "MoveCurToMLeft", {}, {0x0D}},
    {25, "MoveCurToMRight", {}, {0x1F, 0x0D}},
    {26, "MoveCurToBottom", {}, {0x1F, 0x42}},
    {27, "MoveCurToSpePosition", {5, 2}, {0x1F, 0x24, 0x05, 0x02}},
    {28, "SetUserFontSet", {1}, {0x1B, 0x25, 0x01}},
    {29, "SetInterFontSet", {7}, {0x1B, 0x52, 0x07}},
    {30, "CancelUserDfont", {0x41}, {0x1B, 0x3F, 0x41}},
    {31, "SetInterChaSet", {9}, {0x1B, 0x52, 0x09}},
    {32, "SeCanPeriphalDevice", {2}, {0x1B, 0x3D, 0x02}},
    {33, "SelChaCodeTable", {4}, {0x1B, 0x74, 0x04}},
    {34, "SelectDisMode", {1}, {0x1F, 0x01}},
    {35, "SetInterForBlink", {10}, {0x1F, 0x45, 0x0A}},
    {36, "SetBrightness", {4}, {0x1F, 0x58, 0x04}},
    {37, "SetWarnAtColumn", {3, 17}, {0x1F, 0x23, 0x03, 0x11}},
    {38, "ExeSelfTest", {}, {0x1F, 0x40}},
    {39, "DefineUserfont", {}, {0x1B, 0x26}},
};

// Arguments with high bits set: only the low byte reaches the line, and
// additions wrap at 256.
const std::vector<CCommandCase> kLowBytes = {
    {4, "SetBaudRate", {0x1D2}, {0x02, 0x05, 0x42, 0x02, 0x03}},
    {6, "DisplayModal", {-1}, {0x02, 0x05, 0x52, 0x2F, 0x03}},
    {7, "SelectMode", {0xF0}, {0x1B, 0x00}},
    {7, "SelectMode", {0x301}, {0x1B, 0x11}},
    {10, "SetDimming", {-1}, {0x1B, 0x2A, 0xFF}},
    {13, "SetReverse", {0x7FFFFF00}, {0x1B, 0x72, 0x00}},
    {27, "MoveCurToSpePosition", {0x102, -2}, {0x1F, 0x24, 0x02, 0xFE}},
    {28, "SetUserFontSet", {0x1FF}, {0x1B, 0x25, 0xFF}},
    {29, "SetInterFontSet", {0x10000 + 3}, {0x1B, 0x52, 0x03}},
    {30, "CancelUserDfont", {-128}, {0x1B, 0x3F, 0x80}},
    {32, "SeCanPeriphalDevice", {0x4242}, {0x1B, 0x3D, 0x42}},
    {33, "SelChaCodeTable", {0x80000010}, {0x1B, 0x74, 0x10}},
    {34, "SelectDisMode", {0x1FE}, {0x1F, 0xFE}},
    {35, "SetInterForBlink", {0xAB00}, {0x1F, 0x45, 0x00}},
    {36, "SetBrightness", {0x104}, {0x1F, 0x58, 0x04}},
    {37, "SetWarnAtColumn", {-1, 0x120}, {0x1F, 0x23, 0xFF, 0x20}},
};

struct CommandBytes : ExportsFixture
{
    void Check(const CCommandCase& command)
    {
        SCOPED_TRACE(command.m_pszName);
        parts.m_fake.m_writes.clear();
        parts.m_clock.ClearWaits();
        const auto* pEntry = VF620_GetExport(command.m_nOrdinal);
        ASSERT_NE(pEntry, nullptr);
        EXPECT_STREQ(pEntry->pszName, command.m_pszName);
        EXPECT_EQ(CallOrdinal(command.m_nOrdinal, command.m_args), 1);
        EXPECT_EQ(parts.m_fake.Written(), command.m_bytes);
        // Paced: one write and 20 ms per byte.
        EXPECT_EQ(parts.m_fake.m_writes.size(), command.m_bytes.size());
        EXPECT_EQ(parts.m_clock.Total(CVirtualClock::EWait::Busy),
                  Ms(20 * static_cast<long long>(command.m_bytes.size())));
    }
};
} // namespace

TEST_F(CommandBytes, EveryCommandSendsItsBytesThroughThePacedSender)
{
    ASSERT_EQ(::OpenDComm(1, 0, 9600), 1);
    for (const auto& command : kCommands)
        Check(command);
}

TEST_F(CommandBytes, OnlyTheLowByteOfAnArgumentCounts)
{
    ASSERT_EQ(::OpenDComm(1, 0, 9600), 1);
    for (const auto& command : kLowBytes)
        Check(command);
}

TEST_F(CommandBytes, WithoutAPortEveryCommandFailsAtOnceAndSendsNothing)
{
    for (const auto& command : kCommands)
        EXPECT_EQ(CallOrdinal(command.m_nOrdinal, command.m_args), 0) << command.m_pszName;
    const char text[] = "HELLO";
    EXPECT_EQ(::DisplayStrAt(text, 5, 1), 0);
    EXPECT_EQ(::SendDStr(text, 5), 0);
    EXPECT_TRUE(parts.m_fake.m_writes.empty());
    EXPECT_TRUE(parts.m_clock.Waits().empty());
}

TEST_F(CommandBytes, AFailedWriteFailsTheCommandAfterItsLeadingBytes)
{
    ASSERT_EQ(::OpenDComm(1, 0, 9600), 1);
    parts.m_fake.m_nFailWriteAt = 2;
    EXPECT_EQ(::MoveCurToSpePosition(1, 2), 0);
    EXPECT_EQ(parts.m_fake.Written(), (Bytes{0x1F, 0x24}));
    EXPECT_EQ(::ClearDisplay(), 1);
}

TEST_F(CommandBytes, DisplayStrAtFramesUpToTwentyTextBytesUnderItsSelectorLetter)
{
    ASSERT_EQ(::OpenDComm(1, 0, 9600), 1);
    const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
    auto sent = [&](const void* pText, std::uint32_t nLength, std::int32_t nSelector)
    {
        parts.m_fake.m_writes.clear();
        const std::int32_t nResult = ::DisplayStrAt(pText, nLength, nSelector);
        return std::make_pair(nResult, parts.m_fake.Written());
    };

    EXPECT_EQ(sent("HELLO", 5, 3),
              std::make_pair(1, Bytes{0x1B, 0x51, 0x41, 0x48, 0x45, 0x4C, 0x4C, 0x4F, 0x0D}));
    EXPECT_EQ(sent(text.data(), 0, 1), std::make_pair(1, Bytes{0x1B, 0x51, 0x31, 0x0D}));

    // Selectors 1 to 5 and their letters.
    const std::pair<std::int32_t, std::uint8_t> selectors[] = {
        {1, 0x31}, {2, 0x32}, {3, 0x41}, {4, 0x42}, {5, 0x44}};
    for (const auto& [nSelector, nLetter] : selectors)
        EXPECT_EQ(sent("x", 1, nSelector), std::make_pair(1, Bytes{0x1B, 0x51, nLetter, 'x', 0x0D}))
            << nSelector;

    // Lengths above 20 are cut; -1 is a very large unsigned length.
    Bytes first20 = {0x1B, 0x51, 0x42};
    first20.insert(first20.end(), text.begin(), text.begin() + 20);
    first20.push_back(0x0D);
    EXPECT_EQ(sent(text.data(), 30, 4), std::make_pair(1, first20));
    EXPECT_EQ(sent(text.data(), 21, 4), std::make_pair(1, first20));
    EXPECT_EQ(sent(text.data(), static_cast<std::uint32_t>(-1), 4), std::make_pair(1, first20));
    const auto at20 = sent(text.data(), 20, 4);
    EXPECT_EQ(at20.second.size(), 24u);

    // Text bytes go out as they are, zeros and high bytes included.
    const std::uint8_t raw[] = {0x00, 0xFF, 0x0D, 0x1B};
    EXPECT_EQ(sent(raw, 4, 2),
              std::make_pair(1, Bytes{0x1B, 0x51, 0x32, 0x00, 0xFF, 0x0D, 0x1B, 0x0D}));
}

TEST_F(CommandBytes, DisplayStrAtRefusesOtherSelectorsAndAMissingText)
{
    ASSERT_EQ(::OpenDComm(1, 0, 9600), 1);
    for (std::int32_t nSelector : {0, 6, 7, 0x31, 0x101, -1, -5})
        EXPECT_EQ(::DisplayStrAt("HELLO", 5, nSelector), 0) << nSelector;
    EXPECT_EQ(::DisplayStrAt(nullptr, 5, 1), 0);
    EXPECT_TRUE(parts.m_fake.m_writes.empty());
    EXPECT_TRUE(parts.m_clock.Waits().empty());
    EXPECT_EQ(::DisplayStrAt(nullptr, 0, 1), 1);
    EXPECT_EQ(parts.m_fake.Written(), (Bytes{0x1B, 0x51, 0x31, 0x0D}));
}

TEST_F(CommandBytes, ThePortFunctionsWorkThroughTheirOrdinals)
{
    EXPECT_EQ(CallOrdinal(16, {0x103, 0x101, 19200}), 1);
    EXPECT_EQ(parts.m_fake.m_strDevice, "COM3");
    EXPECT_EQ(parts.m_fake.m_settings.back(), (CSerialSettings{19200, 1, 8, true}));
    EXPECT_EQ(CallOrdinal(1, {4, 0, 9600}), 0); // already open

    const std::uint8_t data[] = {0x1B, 0x40, 0x0C};
    EXPECT_EQ(CallExport(*VF620_GetExport(2), {{0, const_cast<std::uint8_t*>(data)}, {3, nullptr}}),
              1);
    EXPECT_EQ(parts.m_fake.Written(), (Bytes{0x1B, 0x40, 0x0C}));

    for (std::int32_t nOrdinal : {15, 17})
    {
        parts.m_fake.QueueRead({0x5A});
        std::uint8_t buffer[4] = {};
        EXPECT_EQ(CallExport(*VF620_GetExport(nOrdinal), {{0, buffer}, {4, nullptr}}), 1);
        EXPECT_EQ(buffer[0], 0x5A);
        EXPECT_EQ(CallExport(*VF620_GetExport(nOrdinal), {{0, buffer}, {4, nullptr}}), 0);
    }

    EXPECT_EQ(CallOrdinal(18, {0x8}), 1);
    EXPECT_EQ(parts.m_fake.m_purges.back(), 0x8u);
    EXPECT_EQ(CallOrdinal(3, {}), 1);
    EXPECT_EQ(CallOrdinal(3, {}), 0);
    EXPECT_EQ(CallOrdinal(18, {0x8}), 0);
}
