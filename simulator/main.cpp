// vfdsim: a virtual customer display on a pseudo-terminal.
#include "Simulator.h"

#ifdef VFDSIM_WINDOW
#include "SimWindow.h"
#endif

#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace
{
int s_nSignalPipe = -1;

extern "C" void OnStopSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(s_nSignalPipe, &c, 1);
}
} // namespace

int main(int argc, char** argv)
{
    std::string strError;
    const auto options = ParseSimOptions({argv + 1, argv + argc}, strError);
    if (!options)
    {
        std::cerr << "vfdsim: " << strError << " (see vfdsim --help)\n";
        return 2;
    }
    if (options->m_bHelp)
    {
        std::cout << SimUsage();
        return 0;
    }
    if (options->m_bVersion)
    {
        std::cout << "vfdsim " VFDKIT_VERSION "\n";
        return 0;
    }

    // SIGINT and SIGTERM reach the loop through a pipe, so it stops
    // between two bytes, never inside one's handling.
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
    {
        std::cerr << "vfdsim: cannot create a pipe\n";
        return 1;
    }
    s_nSignalPipe = fds[1];
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

#ifndef VFDSIM_WINDOW
    if (options->m_bWindow)
    {
        std::cerr << "vfdsim: this vfdsim was built without its window\n";
        return 2;
    }
#endif
    CSimulator simulator(*options);
    if (!simulator.Start(strError) || !simulator.Publish(std::cout, strError))
    {
        std::cerr << "vfdsim: " << strError << "\n";
        return 1;
    }
    if (!simulator.Warning().empty())
        std::cerr << "vfdsim: " << simulator.Warning() << "\n";
#ifdef VFDSIM_WINDOW
    if (options->m_bWindow)
        return RunSimWindow(argc, argv, simulator, fds[0], fds[1]);
#endif
    return simulator.Run(fds[0]);
}
