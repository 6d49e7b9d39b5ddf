#pragma once

#include <optional>
#include <string>
#include <vector>

// What vfdkit ports reports: where each COM port leads and which serial
// devices the system has. The folders the answers come from are parameters,
// so that a test can build a fake tree of them.
struct CSurveyRoots
{
    std::string m_strDev = "/dev";
    std::string m_strSys = "/sys";
    std::string m_strProc = "/proc";
};

struct CHolder
{
    int m_nPid = 0;
    std::string m_strCommand; // its /proc/PID/comm, empty when unreadable
};

struct CComPortState
{
    unsigned m_nPort = 0;
    std::string m_strDevice;
    std::string m_strSource; // as ResolveComPort tells it
    bool m_bExists = false;
    // Nothing when it could not be opened to ask; m_strOpenError says why.
    std::optional<bool> m_bTerminal;
    std::string m_strOpenError;
    bool m_bAccessible = false; // read and write allowed for this user
    std::vector<CHolder> m_holders;
    // A port server's address (rfc2217:// or tcp://): whether it answered
    // when connected to, m_strOpenError saying why not.
    bool m_bNetwork = false;
    bool m_bAnswers = false;
};

struct CUsbInfo
{
    std::string m_strVendor; // idVendor, four hexadecimal digits
    std::string m_strProduct;
    std::string m_strSerial;
    std::string m_strManufacturerName;
    std::string m_strProductName;
};

struct CSerialDevice
{
    std::string m_strDevice;             // <dev>/ttyUSB0
    std::vector<std::string> m_vecByIds; // the /dev/serial/by-id links to it
    std::optional<CUsbInfo> m_usb;
};

// The state of a device a port names. Holders are processes other than this
// one with the device open (from <proc>/*/fd, as far as this user may look).
// A network address is connected to, and left at once.
CComPortState SurveyComPort(unsigned nPort, const std::string& strDevice,
                            const std::string& strSource, const CSurveyRoots& roots);

// The serial devices present: every by-id link's target, ttyUSB*, ttyACM*,
// and the ttyS* that are serial ports (sysfs gives a UART type other than 0,
// or, without sysfs, the device answers TIOCGSERIAL or tcgetattr). Sorted
// by name.
std::vector<CSerialDevice> SurveySerialDevices(const CSurveyRoots& roots);

// The report as text, and as JSON with the keys docs/vfdkit.md lists.
std::string FormatSurvey(const std::vector<CComPortState>& ports,
                         const std::vector<CSerialDevice>& devices);
std::string FormatSurveyJson(const std::vector<CComPortState>& ports,
                             const std::vector<CSerialDevice>& devices);

// "COM3", "com3" or "3" to 3 within [1, 255]; nothing otherwise.
std::optional<unsigned> ParseComPortName(const std::string& strName);
