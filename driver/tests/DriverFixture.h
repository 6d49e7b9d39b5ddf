#pragma once

#include "Driver.h"
#include "FakePortView.h"
#include "FakeSerialPort.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// A driver over a fake port and virtual time, with the messages it shows
// kept in order.
struct CDriverParts
{
    CVirtualClock m_clock;
    CFakeSerialPort m_fake{&m_clock};
    std::vector<std::string> m_messages;
    bool m_bNoPortObject = false; // the factory makes nothing

    CDriverPort::CPortFactory Factory()
    {
        return [this]() -> std::unique_ptr<CSerialPort>
        {
            if (m_bNoPortObject)
                return nullptr;
            return std::make_unique<CFakePortView>(m_fake);
        };
    }
    static CDriverPort::CDeviceNamer Namer()
    {
        return [](unsigned nPort) {
            return CPortResolution{"COM" + std::to_string(nPort), "default"};
        };
    }
    CFontDownload::CMessageSink Sink()
    {
        return [this](const std::string& strText) { m_messages.push_back(strText); };
    }
    std::unique_ptr<CDriver> MakeDriver()
    {
        return std::make_unique<CDriver>(Factory(), Namer(), m_clock, Sink());
    }
};

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOf(const std::string& strText)
{
    return Bytes(strText.begin(), strText.end());
}

inline std::chrono::milliseconds Ms(long long n)
{
    return std::chrono::milliseconds(n);
}
