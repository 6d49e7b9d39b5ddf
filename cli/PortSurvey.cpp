#include "PortSurvey.h"

#include "NetworkSerialPort.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#ifdef __linux__
#include <linux/serial.h>
#endif
#include <map>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string FirstLine(const fs::path& path)
{
    std::ifstream in(path);
    std::string strLine;
    std::getline(in, strLine);
    while (!strLine.empty() && std::isspace(static_cast<unsigned char>(strLine.back())))
        strLine.pop_back();
    return strLine;
}

fs::path Resolved(const fs::path& path)
{
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(path, ec);
    return ec ? path : resolved;
}

// Opening asks the device itself; without a carrier wait, and without
// becoming this process's controlling terminal.
int OpenToAsk(const std::string& strDevice)
{
    return ::open(strDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

std::vector<CHolder> HoldersOf(const std::string& strDevice, const std::string& strProc)
{
    std::vector<CHolder> holders;
    const fs::path device = Resolved(strDevice);
    std::error_code ec;
    for (fs::directory_iterator it(strProc, ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string strPid = it->path().filename().string();
        if (strPid.empty() || strPid.size() > 9 ||
            !std::all_of(strPid.begin(), strPid.end(), IsDigit))
            continue;
        const int nPid = std::stoi(strPid);
        if (nPid == ::getpid())
            continue;
        // Another user's descriptors are closed to us: best effort.
        std::error_code ecFd;
        for (fs::directory_iterator fd(it->path() / "fd", ecFd); !ecFd && fd != end;
             fd.increment(ecFd))
        {
            std::error_code ecLink;
            const fs::path target = fs::read_symlink(fd->path(), ecLink);
            if (!ecLink && (target == device || target == strDevice))
            {
                holders.push_back({nPid, FirstLine(it->path() / "comm")});
                break;
            }
        }
    }
    std::sort(holders.begin(), holders.end(),
              [](const CHolder& a, const CHolder& b) { return a.m_nPid < b.m_nPid; });
    return holders;
}

// A ttyS is a port when the kernel found a UART behind it; sysfs says so
// without opening the device.
bool IsSerialPort(const fs::path& device, const std::string& strSys)
{
    const fs::path type = fs::path(strSys) / "class/tty" / device.filename() / "type";
    if (std::error_code ec; fs::exists(type, ec))
        return std::atoi(FirstLine(type).c_str()) != 0;
    const int nFd = OpenToAsk(device.string());
    if (nFd < 0)
        return false;
    termios attributes = {};
    bool bSerial = ::tcgetattr(nFd, &attributes) == 0;
#ifdef TIOCGSERIAL
    serial_struct serial = {};
    bSerial = bSerial || (::ioctl(nFd, TIOCGSERIAL, &serial) == 0 && serial.type != 0);
#endif
    ::close(nFd);
    return bSerial;
}

// The USB device above a tty in sysfs: the first folder up from its device
// link that has an idVendor.
std::optional<CUsbInfo> UsbInfoOf(const std::string& strName, const std::string& strSys)
{
    std::error_code ec;
    const fs::path link = fs::path(strSys) / "class/tty" / strName / "device";
    if (!fs::exists(link, ec))
        return std::nullopt;
    const fs::path top = Resolved(strSys);
    fs::path folder = Resolved(link);
    for (int nUp = 0; nUp < 4 && folder != top && folder.has_relative_path(); ++nUp)
    {
        if (fs::exists(folder / "idVendor", ec))
            return CUsbInfo{FirstLine(folder / "idVendor"), FirstLine(folder / "idProduct"),
                            FirstLine(folder / "serial"), FirstLine(folder / "manufacturer"),
                            FirstLine(folder / "product")};
        folder = folder.parent_path();
    }
    return std::nullopt;
}

std::string JsonString(const std::string& str)
{
    std::string out = "\"";
    for (const char c : str)
    {
        if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else if (static_cast<unsigned char>(c) < 0x20)
        {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        }
        else
            out += c;
    }
    return out + "\"";
}

std::string StateOf(const CComPortState& port)
{
    if (port.m_bNetwork)
        return port.m_bAnswers ? "network, answers"
                               : "network, no answer (" + port.m_strOpenError + ")";
    if (!port.m_bExists)
        return "missing";
    // A ttyS without a UART behind it does not open (EIO).
    std::string strState = !port.m_bTerminal   ? "cannot open (" + port.m_strOpenError + ")"
                           : *port.m_bTerminal ? "terminal"
                                               : "not a terminal";
    strState += port.m_bAccessible ? ", read-write" : ", no access";
    if (!port.m_holders.empty())
    {
        strState += ", busy:";
        for (const CHolder& holder : port.m_holders)
            strState += " " + std::to_string(holder.m_nPid) +
                        (holder.m_strCommand.empty() ? "" : " (" + holder.m_strCommand + ")");
    }
    return strState;
}

std::string Padded(std::string str, std::size_t nWidth)
{
    if (str.size() < nWidth)
        str.resize(nWidth, ' ');
    return str;
}
} // namespace

CComPortState SurveyComPort(unsigned nPort, const std::string& strDevice,
                            const std::string& strSource, const CSurveyRoots& roots)
{
    CComPortState state;
    state.m_nPort = nPort;
    state.m_strDevice = strDevice;
    state.m_strSource = strSource;
    if (CNetworkSerialPort::IsNetworkDevice(strDevice))
    {
        state.m_bNetwork = true;
        CNetworkSerialPort port;
        state.m_bAnswers = port.Open(strDevice);
        if (!state.m_bAnswers)
            state.m_strOpenError = port.GetLastError().substr(strDevice.size() + 2);
        return state;
    }
    struct stat info = {};
    state.m_bExists = !strDevice.empty() && ::stat(strDevice.c_str(), &info) == 0;
    if (!state.m_bExists)
    {
        state.m_bTerminal = false;
        return state;
    }
    state.m_bAccessible = ::access(strDevice.c_str(), R_OK | W_OK) == 0;
    if (!S_ISCHR(info.st_mode))
        state.m_bTerminal = false;
    else if (const int nFd = OpenToAsk(strDevice); nFd >= 0)
    {
        state.m_bTerminal = ::isatty(nFd) != 0;
        ::close(nFd);
    }
    else
        state.m_strOpenError = std::strerror(errno);
    state.m_holders = HoldersOf(strDevice, roots.m_strProc);
    return state;
}

std::vector<CSerialDevice> SurveySerialDevices(const CSurveyRoots& roots)
{
    std::map<std::string, CSerialDevice> found;
    std::error_code ec;
    const fs::path byId = fs::path(roots.m_strDev) / "serial/by-id";
    for (fs::directory_iterator it(byId, ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string strTarget = Resolved(it->path()).string();
        found[strTarget].m_strDevice = strTarget;
        found[strTarget].m_vecByIds.push_back(it->path().string());
    }
    for (fs::directory_iterator it(roots.m_strDev, ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string strName = it->path().filename().string();
        const bool bUsbOrAcm = strName.rfind("ttyUSB", 0) == 0 || strName.rfind("ttyACM", 0) == 0;
        if (bUsbOrAcm ||
            (strName.rfind("ttyS", 0) == 0 && IsSerialPort(it->path(), roots.m_strSys)))
        {
            const std::string strDevice = Resolved(it->path()).string();
            found[strDevice].m_strDevice = strDevice;
        }
    }
    std::vector<CSerialDevice> devices;
    for (auto& [strDevice, device] : found)
    {
        std::sort(device.m_vecByIds.begin(), device.m_vecByIds.end());
        device.m_usb = UsbInfoOf(fs::path(strDevice).filename().string(), roots.m_strSys);
        devices.push_back(std::move(device));
    }
    return devices;
}

std::string FormatSurvey(const std::vector<CComPortState>& ports,
                         const std::vector<CSerialDevice>& devices)
{
    std::size_t nWidth = 12;
    for (const CComPortState& port : ports)
        nWidth = std::max(nWidth, port.m_strDevice.size());
    std::string text = "COM ports:\n";
    for (const CComPortState& port : ports)
        text += "  " + Padded("COM" + std::to_string(port.m_nPort), 6) +
                Padded(port.m_strDevice, nWidth + 2) + StateOf(port) + "  [" + port.m_strSource +
                "]\n";
    text += "\nSerial devices:\n";
    if (devices.empty())
        text += "  none found\n";
    for (const CSerialDevice& device : devices)
    {
        text += "  " + device.m_strDevice;
        if (const auto& usb = device.m_usb)
        {
            text += "  USB " + usb->m_strVendor + ":" + usb->m_strProduct;
            for (const std::string* pName : {&usb->m_strManufacturerName, &usb->m_strProductName})
                if (!pName->empty())
                    text += " " + *pName;
            if (!usb->m_strSerial.empty())
                text += ", serial " + usb->m_strSerial;
        }
        text += "\n";
        for (const std::string& strLink : device.m_vecByIds)
            text += "    " + strLink + "\n";
    }
    return text;
}

std::string FormatSurveyJson(const std::vector<CComPortState>& ports,
                             const std::vector<CSerialDevice>& devices)
{
    std::string json = "{\"ports\": [";
    for (std::size_t i = 0; i < ports.size(); ++i)
    {
        const CComPortState& port = ports[i];
        json += std::string(i ? ",\n" : "\n") + "  {\"port\": \"COM" +
                std::to_string(port.m_nPort) + "\", \"number\": " + std::to_string(port.m_nPort) +
                ", \"device\": " + JsonString(port.m_strDevice) +
                ", \"source\": " + JsonString(port.m_strSource) +
                ", \"exists\": " + (port.m_bExists ? "true" : "false") + ", \"terminal\": " +
                (!port.m_bTerminal   ? "null"
                 : *port.m_bTerminal ? "true"
                                     : "false") +
                ", \"open_error\": " + JsonString(port.m_strOpenError) +
                ", \"access\": " + (port.m_bAccessible ? "true" : "false") +
                ", \"busy\": " + (port.m_holders.empty() ? "false" : "true") + ", \"holders\": [";
        for (std::size_t h = 0; h < port.m_holders.size(); ++h)
            json += std::string(h ? ", " : "") +
                    "{\"pid\": " + std::to_string(port.m_holders[h].m_nPid) +
                    ", \"command\": " + JsonString(port.m_holders[h].m_strCommand) + "}";
        json += std::string("], \"network\": ") + (port.m_bNetwork ? "true" : "false") +
                ", \"answers\": " + (port.m_bAnswers ? "true" : "false") + "}";
    }
    json += "],\n\"devices\": [";
    for (std::size_t i = 0; i < devices.size(); ++i)
    {
        const CSerialDevice& device = devices[i];
        json += std::string(i ? ",\n" : "\n") + "  {\"device\": " + JsonString(device.m_strDevice) +
                ", \"by_id\": [";
        for (std::size_t l = 0; l < device.m_vecByIds.size(); ++l)
            json += (l ? ", " : "") + JsonString(device.m_vecByIds[l]);
        json += "], \"usb\": ";
        if (const auto& usb = device.m_usb)
            json += "{\"vendor\": " + JsonString(usb->m_strVendor) +
                    ", \"product\": " + JsonString(usb->m_strProduct) +
                    ", \"serial\": " + JsonString(usb->m_strSerial) +
                    ", \"manufacturer\": " + JsonString(usb->m_strManufacturerName) +
                    ", \"product_name\": " + JsonString(usb->m_strProductName) + "}";
        else
            json += "null";
        json += "}";
    }
    return json + "]}\n";
}

std::optional<unsigned> ParseComPortName(const std::string& strName)
{
    std::string strDigits = strName;
    if (strDigits.size() > 3 && (strDigits[0] | 0x20) == 'c' && (strDigits[1] | 0x20) == 'o' &&
        (strDigits[2] | 0x20) == 'm')
        strDigits.erase(0, 3);
    if (strDigits.empty() || strDigits.size() > 3 ||
        !std::all_of(strDigits.begin(), strDigits.end(), IsDigit))
        return std::nullopt;
    const unsigned nPort = static_cast<unsigned>(std::stoul(strDigits));
    if (nPort < 1 || nPort > 255)
        return std::nullopt;
    return nPort;
}
