#pragma once

#include "DisplayCommands.h"
#include "DriverPort.h"
#include "FontDownload.h"

// The whole library as one object: the port, the commands sent through it
// and the font download on top of both. The library's C functions work on
// one process-wide instance; tests make their own over fakes.
class CDriver
{
public:
    CDriver(CDriverPort::CPortFactory portFactory, CDriverPort::CDeviceNamer deviceNamer,
            CClock& clock, CFontDownload::CMessageSink messageSink)
        : m_port(std::move(portFactory), std::move(deviceNamer), clock), m_commands(m_port),
          m_download(m_port, m_commands, std::move(messageSink))
    {
    }

    CDriver(const CDriver&) = delete;
    CDriver& operator=(const CDriver&) = delete;

    CDriverPort m_port;
    CDisplayCommands m_commands;
    CFontDownload m_download;
};
