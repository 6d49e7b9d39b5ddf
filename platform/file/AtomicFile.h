#pragma once

#include "File.h"

#include <cstddef>
#include <string>

// A file written whole or not at all. The bytes go to a temporary file in
// the target's folder, which takes the target's place only when everything
// was written, flushed and closed without error; on any failure, or when the
// object goes away uncommitted, the temporary file is removed and the old
// target is as it was. The rules the platform's own profile writer keeps:
//
// - a target without any write permission bit is read-only, for every user,
//   root included, and is refused untouched;
// - a symbolic link is written through: its final target gets the new
//   content, the link stays;
// - the new file keeps the old one's permissions (and owner, where we may
//   set it);
// - a folder that lets us create no file is named in the message, beside
//   the file.
class CAtomicFile
{
public:
    explicit CAtomicFile(std::string strTarget);
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Checks the target and creates the temporary file.
    bool Open();
    bool Write(const void* pData, std::size_t nCount);
    // Flushes, closes and renames the temporary file over the target.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Abandon();
    // Files rewritten many times a second (a live screen) skip the flush to
    // the disk: still whole, just not proof against a power cut.
    void SetSyncToDisk(bool bSync) { m_bSync = bSync; }

    // The file the content goes to: the path given, or where its links lead.
    const std::string& GetTargetPath() const { return m_strTarget; }
    // "<path>: <cause>" of the failure, naming the file or folder at fault.
    const std::string& GetLastError() const { return m_strError; }

private:
    bool Fail(const std::string& strError);

    std::string m_strAsked;
    std::string m_strTarget;
    std::string m_strTemp;
    CFile m_file;
    std::string m_strError;
    bool m_bSync = true;
};

// The whole content in one step; false, with the cause in pError.
bool WriteFileAtomically(const std::string& strPath, const void* pData, std::size_t nCount,
                         std::string* pError = nullptr, bool bSyncToDisk = true);

// For programs that may be stopped in the middle of a write (the command-line
// tool): SIGINT and SIGTERM remove the temporary files being written, then
// end the program as the signal would have. No effect on Windows.
void RemoveTemporaryFilesOnSignals();
