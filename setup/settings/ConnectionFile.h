#pragma once

#include <cstddef>
#include <string>

// The connection file: the model, port and baud rate chosen in the product
// selection window, read by the main window and by the serial library.
inline constexpr const char* kConnectionFilePath = "./Polelink.ini";
inline constexpr const char* kConnectionSection = "Polelink";
// The key names hold their brackets and bars exactly so.
inline constexpr const char* kModelKey = "Model[VF510]|[VF620]|[VF730]";
inline constexpr const char* kPortKey = "PortName[1to8]";
inline constexpr const char* kBaudRateKey = "BaudRate[9600][19200][38400][115200]";

inline constexpr const char* kUnknownModel = "未知";
inline constexpr int kDefaultPort = 6;
inline constexpr int kDefaultBaudRate = 9600;
// The model is read into a buffer of 20 bytes: at most 19 are kept.
inline constexpr std::size_t kModelBufferSize = 20;

struct CConnectionSettings
{
    std::string m_strModel = kUnknownModel;
    int m_nPort = kDefaultPort; // 1-based; 0 when no port was chosen
    int m_nBaudRate = kDefaultBaudRate;

    bool operator==(const CConnectionSettings&) const = default;
};

class CConnectionFile
{
public:
    explicit CConnectionFile(std::string strPath = kConnectionFilePath)
        : m_strPath(std::move(strPath))
    {
    }

    // Whether the file is there (a folder of that name counts, as with the
    // platform's attribute test).
    bool Exists() const;
    // The three keys with their defaults; a missing or unreadable file gives
    // the defaults.
    CConnectionSettings Read() const;
    // Writes model, port and baud rate, in that order, as text. False, with
    // GetLastError naming the file, when a key could not be written.
    bool Write(const CConnectionSettings& settings);

    const std::string& GetPath() const { return m_strPath; }
    const std::string& GetLastError() const { return m_strError; }

private:
    std::string m_strPath;
    std::string m_strError;
};
