#include "PolelinkDevice.h"

#include "File.h"
#include "FontAreas.h"
#include "PolelinkFunctions.h"
#include "PrivateProfile.h"

#include <algorithm>
#include <array>
#include <vector>

namespace
{
// The rates a display's serial line runs at; anything else in the file is a
// mistake to report, not a rate to try.
constexpr std::array<int, 8> kBaudRates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
} // namespace

CPolelinkDevice::CPolelinkDevice(CSerialPort& port, CClock& clock, DeviceOfPort deviceOf,
                                 Report report, std::string strConnectionPath)
    : m_port(port), m_clock(clock), m_deviceOf(std::move(deviceOf)), m_report(std::move(report)),
      m_strConnectionPath(std::move(strConnectionPath)), m_framePause(kFontFramePause)
{
}

std::optional<std::chrono::milliseconds> FramePauseFromText(const std::string& strText)
{
    if (strText.empty() || strText.size() > 4 ||
        !std::all_of(strText.begin(), strText.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const std::chrono::milliseconds pause(std::stoi(strText));
    if (pause > kFontFramePause)
        return std::nullopt;
    return pause;
}

int CPolelinkDevice::Fail(const std::string& strWhy)
{
    m_strLastError = strWhy;
    if (m_report)
        m_report(strWhy);
    return 0;
}

std::string CPolelinkDevice::NoConnection() const
{
    return m_strOpenFailure.empty() ? "no connection is open"
                                    : "no connection is open (" + m_strOpenFailure + ")";
}

bool CPolelinkDevice::Send(const std::uint8_t* pData, std::size_t nCount)
{
    while (nCount > 0)
    {
        const long long nWritten = m_port.Write(pData, nCount);
        if (nWritten <= 0)
        {
            Fail(m_port.GetLastError().empty() ? m_strDevice + ": write failed"
                                               : m_port.GetLastError());
            return false;
        }
        pData += nWritten;
        nCount -= static_cast<std::size_t>(nWritten);
    }
    return true;
}

int CPolelinkDevice::OpenComm()
{
    if (m_port.IsOpen())
        CloseComm();
    // Whatever fails from here on is why there is no connection; an earlier
    // failure is no longer the connection's.
    m_strLastError.clear();
    const int nResult = Open();
    m_strOpenFailure = nResult ? std::string() : m_strLastError;
    return nResult;
}

int CPolelinkDevice::Open()
{
    CConnectionFile file(m_strConnectionPath);
    if (!file.Exists())
    {
        CPrivateProfile profile(m_strConnectionPath);
        if (!profile.WriteString(kConnectionSection, kPortKey, std::to_string(kDefaultPort)) ||
            !profile.WriteString(kConnectionSection, kBaudRateKey,
                                 std::to_string(kDefaultBaudRate)))
            Fail("cannot create the connection file: " + profile.GetLastError());
    }
    const CConnectionSettings settings = file.Read();
    if (settings.m_nPort < 1)
        return Fail(m_strConnectionPath + ": " + kPortKey + "=" + std::to_string(settings.m_nPort) +
                    " names no port; ports count from 1");
    if (std::find(kBaudRates.begin(), kBaudRates.end(), settings.m_nBaudRate) == kBaudRates.end())
        return Fail(m_strConnectionPath + ": " + kBaudRateKey + "=" +
                    std::to_string(settings.m_nBaudRate) + " is not a baud rate of the line");

    const auto nPort = static_cast<unsigned>(settings.m_nPort);
    const CPortResolution resolution = m_deviceOf(nPort);
    m_strDevice = resolution.m_strDevice;
    if (!m_port.Open(m_strDevice))
        return Fail("COM" + std::to_string(nPort) + ": " +
                    ComPortOpenError(nPort, resolution, m_port));
    if (!m_port.Configure(CSerialSettings{static_cast<std::uint32_t>(settings.m_nBaudRate), 0, 8}))
    {
        const std::string strError = m_port.GetLastError();
        m_port.Close();
        return Fail("COM" + std::to_string(settings.m_nPort) + ": " + strError);
    }
    return 1;
}

int CPolelinkDevice::CloseComm()
{
    if (!m_port.IsOpen())
        return 1;
    if (!m_port.Close())
        return Fail(m_port.GetLastError());
    return 1;
}

int CPolelinkDevice::WirteStrData(const char* pData, int nLength)
{
    if (nLength < 0 || (nLength > 0 && !pData))
        return Fail("WirteStrData: no data or a negative length (" + std::to_string(nLength) + ")");
    if (!m_port.IsOpen())
        return Fail(NoConnection() + ": " + std::to_string(nLength) + " bytes not sent");
    return Send(reinterpret_cast<const std::uint8_t*>(pData), static_cast<std::size_t>(nLength))
               ? 1
               : 0;
}

int CPolelinkDevice::Init()
{
    static constexpr std::uint8_t kInitialise[] = {0x1B, 0x40};
    if (!m_port.IsOpen())
        return Fail(NoConnection() + ": initialise not sent");
    return Send(kInitialise, sizeof kInitialise) ? 1 : 0;
}

int CPolelinkDevice::UpdateFontLib(const char* pszPath, unsigned long dwArea, unsigned long dwPage)
{
    if (!pszPath || !*pszPath)
        return Fail("no font file given");
    if (dwArea > 1)
        return Fail("character area " + std::to_string(dwArea) +
                    " does not exist: 0 is 0x20-0x7F, 1 is 0x80-0xFF");
    const unsigned long nPages = FontAreaPages(static_cast<std::uint32_t>(dwArea));
    const bool bAll = dwPage == kPolelinkAllPages;
    if (!bAll && (dwPage < 1 || dwPage > nPages))
        return Fail("page " + std::to_string(dwPage) + " is not a page of area " +
                    std::to_string(dwArea) + " (1 to " + std::to_string(nPages) + ")");
    const unsigned long nFirst = bAll ? 1 : dwPage;
    const unsigned long nLast = bAll ? nPages : dwPage;

    // Only the bytes the frames carry are read; a short file is padded.
    CFile file;
    if (!file.Open(pszPath, CFile::EMode::Read))
        return Fail(file.GetLastError());
    const auto nLength = file.GetLength();
    if (!nLength)
        return Fail(file.GetLastError());
    if (*nLength == 0)
        return Fail(std::string(pszPath) + ": the font file is empty");
    std::vector<std::uint8_t> pages((nLast - nFirst + 1) * kFontPageBytes, 0);
    if (!file.Seek((nFirst - 1) * kFontPageBytes) || file.Read(pages.data(), pages.size()) < 0)
        return Fail(file.GetLastError());
    file.Close();

    if (!m_port.IsOpen())
        return Fail(NoConnection() + ": font file not sent");
    for (unsigned long nPage = nFirst; nPage <= nLast; ++nPage)
    {
        std::array<std::uint8_t, kFontFrameBytes> frame{};
        frame[0] = 0x1B;
        frame[1] = 0x53;
        frame[2] = dwArea == 0 ? 0x02 : 0x03;
        frame[3] = static_cast<std::uint8_t>(nPage);
        std::copy_n(pages.begin() + static_cast<std::ptrdiff_t>((nPage - nFirst) * kFontPageBytes),
                    kFontPageBytes, frame.begin() + 4);
        if (!Send(frame.data(), frame.size()))
            return 0;
        m_clock.Sleep(m_framePause);
    }
    return 1;
}
