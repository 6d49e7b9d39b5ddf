#include "LiveScreen.h"

#include <fcntl.h>
#include <unistd.h>
#include <utility>

CLiveScreen::CLiveScreen(std::function<void()> onPublished) : m_onPublished(std::move(onPublished))
{
    if (::pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0)
        m_fds[0] = m_fds[1] = -1;
}

CLiveScreen::~CLiveScreen()
{
    for (const int fd : m_fds)
        if (fd >= 0)
            ::close(fd);
}

void CLiveScreen::Publish(CLiveState state)
{
    {
        const std::lock_guard lock(m_mutex);
        state.m_nVersion = m_state.m_nVersion + 1;
        m_state = std::move(state);
    }
    if (m_onPublished)
        m_onPublished();
}

std::optional<CDownloadFaults> CLiveScreen::TakeFaultRequest()
{
    char buffer[16];
    while (m_fds[0] >= 0 && ::read(m_fds[0], buffer, sizeof buffer) > 0)
    {
    }
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_faultRequest, std::nullopt);
}

CLiveState CLiveScreen::Latest() const
{
    const std::lock_guard lock(m_mutex);
    return m_state;
}

std::uint64_t CLiveScreen::Version() const
{
    const std::lock_guard lock(m_mutex);
    return m_state.m_nVersion;
}

void CLiveScreen::RequestFault(CDownloadFaults faults)
{
    {
        const std::lock_guard lock(m_mutex);
        m_faultRequest = faults;
    }
    const char c = 1;
    if (m_fds[1] >= 0) [[maybe_unused]]
        const auto n = ::write(m_fds[1], &c, 1);
}
