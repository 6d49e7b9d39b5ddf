#pragma once

#include <string>

class CVf620Calls;

// Exit statuses of the program.
inline constexpr int kExitOk = 0;
// The window system could not be started (no display).
inline constexpr int kExitNoWindowSystem = 1;
// The driver library is missing, or lacks an ordinal the program binds.
inline constexpr int kExitDriverMissing = 2;

// What the program's start is made of: the library binding, the report of a
// failed start and the main dialog (the loader and wx in the program, fakes
// in tests).
class CPagewingStart
{
public:
    virtual ~CPagewingStart() = default;

    // The library's functions bound by ordinal; nullptr with strError saying
    // what is missing.
    virtual CVf620Calls* BindDriver(std::string& strError) = 0;
    // Tells the user why the program does not start.
    virtual void ReportStartFailure(const std::string& strText) = 0;
    // Creates the main dialog over the bound functions, makes it the main
    // window and runs it modally until it closes. False when there is no
    // window system to show it on.
    virtual bool RunMainDialog(CVf620Calls& driver) = 0;
};

// The application: binds the driver library before anything is shown, then
// runs the one dialog; the program ends when the dialog closes.
class CPagewingApp
{
public:
    // The exit status.
    int Run(CPagewingStart& start);
};
