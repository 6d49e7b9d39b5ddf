// Display commands from the loaded library arriving at vfdsim byte for byte
// and shown on its screen. Real time: 20 ms a byte, so kept short.
#include "VfdsimFixture.h"

#include <fstream>

using Bytes = std::vector<std::uint8_t>;

TEST_F(DriverOnVfdsim, CommandsBoundByOrdinalArriveByteExactAndShowOnTheScreen)
{
    auto* pfnOpen = Ordinal<decltype(OpenDComm)>(1);
    auto* pfnSend = Ordinal<decltype(SendDStr)>(2);
    auto* pfnClear = Ordinal<decltype(ClearDisplay)>(9);
    auto* pfnText = Ordinal<decltype(DisplayStrAt)>(14);
    auto* pfnMove = Ordinal<decltype(MoveCurToSpePosition)>(27);
    auto* pfnCharSet = Ordinal<decltype(SetInterChaSet)>(31);
    auto* pfnBrightness = Ordinal<decltype(SetBrightness)>(36);
    ASSERT_TRUE(pfnOpen && pfnSend && pfnClear && pfnText && pfnMove && pfnCharSet &&
                pfnBrightness);

    ASSERT_EQ(pfnOpen(kPort, 0, 9600), 1);
    EXPECT_EQ(pfnClear(), 1);
    EXPECT_EQ(pfnText("HELLO", 5, 3), 1);
    EXPECT_EQ(pfnText("WORLD!", 6, 4), 1);
    EXPECT_EQ(pfnBrightness(0x102), 1); // only the low byte counts
    EXPECT_EQ(pfnMove(8, 1), 1);
    EXPECT_EQ(pfnCharSet(2), 1);
    EXPECT_EQ(pfnSend("[", 1), 1);

    const Bytes expected = {0x0C, 0x1B, 0x51, 0x41, 'H',  'E',  'L',  'L',  'O',  0x0D, 0x1B,
                            0x51, 0x42, 'W',  'O',  'R',  'L',  'D',  '!',  0x0D, 0x1F, 0x58,
                            0x02, 0x1F, 0x24, 0x08, 0x01, 0x1B, 0x52, 0x02, '['};
    EXPECT_EQ(m_sim.WaitForDisplayBytes(expected.size(), std::chrono::seconds(5)), expected);

    const auto screen = WaitForScreen([](const CJsonObject& entry)
                                      { return entry.Get("line1")->substr(0, 8) == "HELLO  ["; });
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->Get("line2"), "WORLD!" + std::string(14, ' '));
    EXPECT_EQ(screen->GetInteger("brightness"), 2);
    EXPECT_EQ(screen->GetInteger("character_set"), 2);
    // The text screen shows the German set's character for "[".
    const auto text = CVfdsimProcess::WaitFor(
        [&]() -> std::optional<std::string>
        {
            std::ifstream in(ScreenTextPath());
            std::string strText{std::istreambuf_iterator<char>(in), {}};
            return strText.find("|HELLO  \xC3\x84") != std::string::npos
                       ? std::optional<std::string>(strText)
                       : std::nullopt;
        },
        std::chrono::seconds(5));
    EXPECT_TRUE(text);
    EXPECT_EQ(Ordinal<decltype(CloseDComm)>(3)(), 1);
}

TEST_F(DriverOnVfdsim, ABoundedReceiveReturnsWhenTheDisplayStaysSilent)
{
    auto* pfnOpen = Ordinal<decltype(OpenDComm)>(1);
    auto* pfnReceive = Ordinal<decltype(ReceiveStr)>(17);
    auto* pfnReceivePrn = Ordinal<decltype(ReceiveStrPrn)>(15);
    auto* pfnSetBound = reinterpret_cast<decltype(&VF620_SetReceiveTimeout)>(
        ::dlsym(m_pLibrary.get(), "VF620_SetReceiveTimeout"));
    auto* pfnCause = reinterpret_cast<decltype(&VF620_GetLastErrorText)>(
        ::dlsym(m_pLibrary.get(), "VF620_GetLastErrorText"));
    ASSERT_TRUE(pfnOpen && pfnReceive && pfnReceivePrn && pfnSetBound && pfnCause);

    ASSERT_EQ(pfnOpen(kPort, 0, 9600), 1) << pfnCause();
    // The display answers none of this: without the bound the read would
    // wait for 64 bytes that never come.
    pfnSetBound(300);
    std::uint8_t buffer[64] = {};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(pfnReceive(buffer, sizeof buffer), 0);
    EXPECT_EQ(pfnReceivePrn(buffer, sizeof buffer), 0);
    // Generous: only a read that never ends would take this long.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_NE(std::string(pfnCause()).find(": no byte arrived within 300 ms"), std::string::npos)
        << pfnCause();
    pfnSetBound(0);
}

TEST_F(DriverOnVfdsim, AFailedOpenSaysWhyThroughTheLastErrorText)
{
    auto* pfnOpen = Ordinal<decltype(OpenDComm)>(1);
    auto* pfnCause = reinterpret_cast<decltype(&VF620_GetLastErrorText)>(
        ::dlsym(m_pLibrary.get(), "VF620_GetLastErrorText"));
    ASSERT_TRUE(pfnOpen && pfnCause);
    ::setenv("VFDKIT_COM12", "/dev/vfdkit-unplugged", 1);
    EXPECT_EQ(pfnOpen(12, 0, 9600), 0);
    ::unsetenv("VFDKIT_COM12");
    EXPECT_STREQ(pfnCause(), "/dev/vfdkit-unplugged: no such device (COM12 is mapped to it by "
                             "the variable VFDKIT_COM12)");

    // The display's own port, already held by this process.
    ASSERT_EQ(pfnOpen(kPort, 0, 9600), 1);
    EXPECT_EQ(pfnOpen(kPort, 0, 9600), 0);
    EXPECT_NE(std::string(pfnCause()).find("a port is already open"), std::string::npos);
}
