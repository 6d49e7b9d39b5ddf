#include "LibraryPolelink.h"

#include "TempFolder.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

// The seam reaches the library the program is linked against, the C++
// function by its type-decorated name included (a wrong argument type would
// not link).
TEST(LibraryPolelinkTest, CallsReachTheLinkedLibrary)
{
    CTempFolder dir;
    CWorkingDirectory cwd(dir.Path());
    SetTestEnvironment("VFDKIT_COM6", dir / "no-such-port");

    CLibraryPolelink polelink;
    polelink.OpenComm();
    // Only the library knows the connection file's defaults and writes them.
    EXPECT_EQ(dir.Read("Polelink.ini"), "[Polelink]\r\n"
                                        "PortName[1to8]=6\r\n"
                                        "BaudRate[9600][19200][38400][115200]=9600\r\n");
    polelink.WirteStrData("\x1B\x40", 2);
    polelink.Init();
    EXPECT_EQ(polelink.UpdateFontLib("", 0, kPolelinkAllPages), 0);
    EXPECT_EQ(polelink.UpdateFontLib((dir / "missing.bin"), 1, 8), 0);
    // The stand-in says why, through the one export of its own.
    EXPECT_NE(polelink.LastErrorText().find("missing.bin"), std::string::npos)
        << polelink.LastErrorText();
    EXPECT_EQ(polelink.UpdateFontLib((dir / "Polelink.ini"), 0, 1), 0);
    // The device's own words differ between the platforms; the rest not.
    const std::string strText = polelink.LastErrorText();
    EXPECT_EQ(
        strText.rfind("no connection is open (COM6: " + (dir / "no-such-port") + ": no such ", 0),
        0u)
        << strText;
    EXPECT_NE(strText.find(" (COM6 is mapped to it by the variable VFDKIT_COM6)): font file not "
                           "sent"),
              std::string::npos)
        << strText;
    polelink.CloseComm();
    UnsetTestEnvironment("VFDKIT_COM6");
}
