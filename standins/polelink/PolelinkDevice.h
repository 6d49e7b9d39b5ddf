#pragma once

#include "Clock.h"
#include "ConnectionFile.h"
#include "PortMap.h"
#include "SerialPort.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The working part of the stand-in serial library: one connection to the
// display, opened with the port and baud rate of the connection file, and
// the five operations the setup utility calls. It runs over a serial port
// and a clock so that tests can drive it with fakes; the exported functions
// use the platform's port and real time.
//
// Results are 1 for success and 0 for failure (the setup utility looks only
// at UpdateFontLib's). Every failure is also reported as one line of text,
// since the caller shows none.
class CPolelinkDevice
{
public:
    // The device of COM port n and where that mapping came from
    // (ResolveComPort in the library).
    using DeviceOfPort = std::function<CPortResolution(unsigned)>;
    using Report = std::function<void(const std::string&)>;

    CPolelinkDevice(CSerialPort& port, CClock& clock, DeviceOfPort deviceOf, Report report,
                    std::string strConnectionPath = kConnectionFilePath);

    // Reads the port number and baud rate from the connection file and opens
    // that port, raw, 8 data bits, no parity. An open connection is closed
    // first, so that a changed file takes effect. A missing file is created
    // with the defaults the setup utility reads (port 6, 9600 baud), which is
    // how the utility's first start gets a connection file at all.
    int OpenComm();
    // Closing without a connection is no failure.
    int CloseComm();
    // Sends the nLength bytes unchanged; a length of 0 sends nothing.
    int WirteStrData(const char* pData, int nLength);
    // The display's initialise command, 1B 40.
    int Init();
    // Sends the pages of the font file as 260-byte frames: 1B 53, the area
    // code (02 for area 0, 03 for area 1), the page number from 1 and the
    // page's 256 bytes, which are file bytes (page - 1) × 256 onwards; bytes
    // past the end of a short file go as zeros. kPolelinkAllPages sends
    // every page of the area, 6 or 8. Each frame is followed by a pause in
    // which the display stores the page. Stops at the first failed frame.
    int UpdateFontLib(const char* pszPath, unsigned long dwArea, unsigned long dwPage);

    bool IsOpen() const { return m_port.IsOpen(); }
    // The latest failure as it was reported; "" until one happens.
    const std::string& LastError() const { return m_strLastError; }

    // The pause after each font frame; kFontFramePause unless shortened.
    void SetFramePause(std::chrono::milliseconds pause) { m_framePause = pause; }

private:
    int Open();
    int Fail(const std::string& strWhy);
    // "no connection is open", with why the last open failed when it did.
    std::string NoConnection() const;
    bool Send(const std::uint8_t* pData, std::size_t nCount);

    CSerialPort& m_port;
    CClock& m_clock;
    DeviceOfPort m_deviceOf;
    Report m_report;
    std::string m_strConnectionPath;
    std::string m_strDevice;
    std::chrono::milliseconds m_framePause;
    std::string m_strLastError;
    std::string m_strOpenFailure; // why the latest OpenComm failed; "" when it did not
};

// The pause after each font frame: the pace at which the display is known
// to take font pages.
inline constexpr std::chrono::milliseconds kFontFramePause{4000};
// Tests that run the library in real time shorten the pause through this
// variable: whole milliseconds, 0 to 4000.
inline constexpr const char* kFramePauseVariable = "VFDKIT_POLELINK_FRAME_PAUSE_MS";
// The pause the variable's text asks for; nothing when it is no number of
// milliseconds from 0 to 4000.
std::optional<std::chrono::milliseconds> FramePauseFromText(const std::string& strText);
inline constexpr std::size_t kFontPageBytes = 256;
inline constexpr std::size_t kFontFrameBytes = 4 + kFontPageBytes;
