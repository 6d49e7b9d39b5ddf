#pragma once

#include <cstdlib>
#include <string>

// Environment variables for tests, on every platform: the port names
// (VFDKIT_COM<n>) and library paths the tools read. Child processes
// inherit what is set here.

inline void SetTestEnvironment(const std::string& strName, const std::string& strValue)
{
#ifdef _WIN32
    // An empty value removes the variable on Windows: there is no empty one.
    _putenv_s(strName.c_str(), strValue.c_str());
#else
    ::setenv(strName.c_str(), strValue.c_str(), 1);
#endif
}

inline void UnsetTestEnvironment(const std::string& strName)
{
#ifdef _WIN32
    _putenv_s(strName.c_str(), "");
#else
    ::unsetenv(strName.c_str());
#endif
}
