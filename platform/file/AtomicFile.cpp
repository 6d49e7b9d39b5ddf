#include "AtomicFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <system_error>
#ifdef _WIN32
#include <process.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace
{
// The temporary files being written, for the signal handler: fixed slots,
// so that the handler touches no allocator.
constexpr std::size_t kSlots = 8;
constexpr std::size_t kSlotPath = 4096;
std::array<std::array<char, kSlotPath>, kSlots> s_tempPaths{};
std::array<std::atomic<bool>, kSlots> s_slotInUse{};

int Register(const std::string& strPath)
{
    if (strPath.size() >= kSlotPath)
        return -1;
    for (std::size_t i = 0; i < kSlots; ++i)
    {
        bool bFree = false;
        if (s_slotInUse[i].load() || !s_slotInUse[i].compare_exchange_strong(bFree, true))
            continue;
        std::memcpy(s_tempPaths[i].data(), strPath.c_str(), strPath.size() + 1);
        return static_cast<int>(i);
    }
    return -1; // more than kSlots at once: still written safely, just not cleaned on a signal
}

void Unregister(const std::string& strPath)
{
    for (std::size_t i = 0; i < kSlots; ++i)
        if (s_slotInUse[i].load() && strPath == s_tempPaths[i].data())
            s_slotInUse[i].store(false);
}

#ifndef _WIN32
extern "C" void RemoveTempsAndRaise(int nSignal)
{
    for (std::size_t i = 0; i < kSlots; ++i)
        if (s_slotInUse[i].load())
            ::unlink(s_tempPaths[i].data());
    std::signal(nSignal, SIG_DFL);
    std::raise(nSignal);
}
#endif

// Where a chain of symbolic links ends; the path itself when it is none.
fs::path FollowLinks(fs::path path)
{
    std::error_code ec;
    for (int nHops = 0; nHops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++nHops)
    {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// The file's failure without the temporary name it starts with: the user
// knows only the target.
std::string CauseOf(const CFile& file, const std::string& strTemp)
{
    const std::string& strError = file.GetLastError();
    const std::string strPrefix = strTemp + ": ";
    return strError.compare(0, strPrefix.size(), strPrefix) == 0 ? strError.substr(strPrefix.size())
                                                                 : strError;
}

bool HasNoWriteBit(fs::perms perms)
{
    constexpr fs::perms kWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (perms & kWrite) == fs::perms::none;
}

std::string FolderOf(const fs::path& path)
{
    const fs::path parent = path.parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

unsigned long ProcessId()
{
#ifdef _WIN32
    return static_cast<unsigned long>(_getpid());
#else
    return static_cast<unsigned long>(::getpid());
#endif
}

// Flushes the file's data to the disk, so that the rename never publishes a
// name whose data a crash could still lose.
bool SyncToDisk(const std::string& strPath)
{
#ifdef _WIN32
    (void)strPath;
    return true;
#else
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool bSynced = ::fsync(fd) == 0;
    ::close(fd);
    return bSynced;
#endif
}
} // namespace

CAtomicFile::CAtomicFile(std::string strTarget)
    : m_strAsked(std::move(strTarget)), m_strTarget(FollowLinks(m_strAsked).string())
{
}

CAtomicFile::~CAtomicFile()
{
    Abandon();
}

bool CAtomicFile::Fail(const std::string& strError)
{
    m_strError = strError;
    Abandon();
    return false;
}

bool CAtomicFile::Open()
{
    Abandon();
    m_strError.clear();
    std::error_code ec;
    const fs::file_status status = fs::status(m_strTarget, ec);
    if (fs::is_directory(status))
        return Fail(m_strAsked + ": is a folder, not a file");
    if (fs::exists(status) && HasNoWriteBit(status.permissions()))
        return Fail(m_strAsked + ": cannot write: the file is read-only");

    static std::atomic<unsigned> s_nCounter{0};
    const fs::path target(m_strTarget);
    const std::string strName = "." + target.filename().string() + ".part-" +
                                std::to_string(ProcessId()) + "-" + std::to_string(++s_nCounter);
    m_strTemp = (target.parent_path() / strName).string();
    Register(m_strTemp);
    errno = 0;
    if (!m_file.Open(m_strTemp, CFile::EMode::CreateReadWrite))
    {
        const int nErr = errno;
        return Fail(m_strAsked + ": cannot write: no file can be created in the folder " +
                    FolderOf(target) +
                    (nErr ? std::string(": ") + std::strerror(nErr) : std::string()));
    }
    return true;
}

bool CAtomicFile::Write(const void* pData, std::size_t nCount)
{
    if (!m_file.IsOpen())
        return Fail(m_strAsked + ": cannot write: the file is not open");
    if (!m_file.Write(pData, nCount))
        return Fail(m_strAsked + ": " + CauseOf(m_file, m_strTemp));
    return true;
}

bool CAtomicFile::Commit()
{
    if (!m_file.IsOpen())
        return Fail(m_strAsked + ": cannot write: the file is not open");
    // A full disk often shows only here, when the last buffer goes out.
    if (!m_file.Close())
        return Fail(m_strAsked + ": " + CauseOf(m_file, m_strTemp));
    if (m_bSync && !SyncToDisk(m_strTemp))
        return Fail(m_strAsked + ": cannot write: " + std::strerror(errno));

    std::error_code ec;
    if (const fs::file_status status = fs::status(m_strTarget, ec); !ec && fs::exists(status))
    {
        fs::permissions(m_strTemp, status.permissions(), ec);
#ifndef _WIN32
        struct stat old
        {
        };
        if (::stat(m_strTarget.c_str(), &old) == 0)
            // Only root may give a file away; for others this keeps their own.
            (void)!::chown(m_strTemp.c_str(), old.st_uid, old.st_gid);
#endif
    }
    fs::rename(m_strTemp, m_strTarget, ec);
    if (ec)
        return Fail(m_strAsked + ": cannot write: " + ec.message());
    Unregister(m_strTemp);
    m_strTemp.clear();
    return true;
}

void CAtomicFile::Abandon()
{
    if (m_strTemp.empty())
        return;
    m_file.Close();
    std::error_code ec;
    fs::remove(m_strTemp, ec);
    Unregister(m_strTemp);
    m_strTemp.clear();
}

bool WriteFileAtomically(const std::string& strPath, const void* pData, std::size_t nCount,
                         std::string* pError, bool bSyncToDisk)
{
    CAtomicFile file(strPath);
    file.SetSyncToDisk(bSyncToDisk);
    if (file.Open() && file.Write(pData, nCount) && file.Commit())
        return true;
    if (pError)
        *pError = file.GetLastError();
    return false;
}

void RemoveTemporaryFilesOnSignals()
{
#ifndef _WIN32
    struct sigaction action
    {
    };
    action.sa_handler = RemoveTempsAndRaise;
    sigemptyset(&action.sa_mask);
    for (int nSignal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(nSignal, &action, nullptr);
#endif
}
