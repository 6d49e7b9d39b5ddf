#pragma once

class CSimulator;

// vfdsim --window: serves the line on its own thread and shows the display
// live in a window until the window is closed, the stop descriptor becomes
// readable (a signal) or the line drops; closing the window writes to
// nStopWriteFd, the stop descriptor's other end. Returns the exit status.
int RunSimWindow(int argc, char** argv, CSimulator& simulator, int nStopFd, int nStopWriteFd);
