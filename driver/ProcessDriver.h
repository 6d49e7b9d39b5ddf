#pragma once

#include "Driver.h"

#include <memory>
#include <string>

// The one driver of the process behind the library's C functions, made on
// first use over the real clock and the platform's serial ports.
CDriver& ProcessDriver();

// Puts another driver in its place (tests run the C functions over fakes
// and virtual time this way) and hands back the one it replaces; null makes
// the next call build the real one again.
std::unique_ptr<CDriver> ReplaceProcessDriver(std::unique_ptr<CDriver> pDriver);

// Shows a library message through the installed hook, or on standard error
// when there is none.
void ShowLibraryMessage(const std::string& strText);
