// INI files: any file read through the private-profile rules, and a key
// written into it, which must change that key's line alone (or add it, with
// its section) and read back as written.
#include "FuzzFolder.h"
#include "PrivateProfile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
std::string ReadAll(const std::string& strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The lines' texts, split at LF, without the CRs at their ends: a last line
// ending in CR alone gets its LF when a line is added after it.
std::vector<std::string> Lines(const std::string& strText)
{
    std::vector<std::string> lines;
    std::size_t nStart = 0;
    while (nStart < strText.size())
    {
        std::size_t nEnd = std::min(strText.find('\n', nStart), strText.size());
        const std::size_t nNext = nEnd + 1;
        while (nEnd > nStart && strText[nEnd - 1] == '\r')
            --nEnd;
        lines.push_back(strText.substr(nStart, nEnd - nStart));
        nStart = nNext;
    }
    return lines;
}

bool PlainEdges(const std::string& strValue)
{
    auto plain = [](char c)
    { return static_cast<unsigned char>(c) > ' ' && c != '"' && c != '\''; };
    return strValue.empty() || (plain(strValue.front()) && plain(strValue.back()));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    // Section, key and value separated by NUL bytes, then a NUL and the file.
    std::vector<std::string> parts(1);
    std::size_t i = 0;
    for (; i < nSize && parts.size() < 4; ++i)
    {
        if (pData[i] == 0)
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(pData[i]);
    }
    if (parts.size() < 4)
        return 0;
    const std::string strOld(reinterpret_cast<const char*>(pData + i), nSize - i);
    const std::string& strSection = parts[0];
    const std::string& strKey = parts[1];
    const std::string& strValue = parts[2];
    const std::string strPath = FuzzPath("fuzz.ini");
    std::ofstream(strPath, std::ios::binary | std::ios::trunc) << strOld;

    CPrivateProfile profile(strPath);
    profile.GetString(strSection, strKey, " default ", 1 + nSize % 64);
    profile.GetInt(strSection, strKey, -1);
    profile.GetString(strKey, strValue, "", std::string::npos);

    if (!profile.WriteString(strSection, strKey, strValue))
    {
        // A refusal says why and leaves the file as it was.
        if (profile.GetLastError().empty() || ReadAll(strPath) != strOld)
            __builtin_trap();
        return 0;
    }
    // Lines before and after the change are the old ones: at most one old
    // line is rewritten, at most two (a section and its key) are added.
    const auto before = Lines(strOld);
    const auto after = Lines(ReadAll(strPath));
    std::size_t nHead = 0;
    while (nHead < before.size() && nHead < after.size() && before[nHead] == after[nHead])
        ++nHead;
    std::size_t nTail = 0;
    while (nTail < before.size() - nHead && nTail < after.size() - nHead &&
           before[before.size() - 1 - nTail] == after[after.size() - 1 - nTail])
        ++nTail;
    const std::size_t nRemoved = before.size() - nHead - nTail;
    const std::size_t nAdded = after.size() - nHead - nTail;
    if (nRemoved > 1 || nAdded > 2 || nAdded < nRemoved)
        __builtin_trap();
    // Read back, by this object and by a fresh one, where the value has no
    // blanks or quotes at its ends for the reader to take off.
    if (PlainEdges(strValue))
        for (const CPrivateProfile& reader : {profile, CPrivateProfile(strPath)})
            if (reader.GetString(strSection, strKey, "", std::string::npos) != strValue)
                __builtin_trap();
    return 0;
}
