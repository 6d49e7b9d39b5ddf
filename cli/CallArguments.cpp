#include "CallArguments.h"

#include "Command.h"

#include <cctype>
#include <cstdio>
#include <map>

bool ParseByteWord(const std::string& strWord, std::vector<std::uint8_t>& bytes,
                   std::string& strError)
{
    bytes.clear();
    if (strWord.rfind("text:", 0) == 0)
    {
        bytes.assign(strWord.begin() + 5, strWord.end());
        return true;
    }
    if (strWord.rfind("hex:", 0) != 0)
    {
        bytes.assign(strWord.begin(), strWord.end());
        return true;
    }
    std::string digits;
    for (char c : strWord.substr(4))
    {
        if (std::isspace(static_cast<unsigned char>(c)))
            continue;
        if (!std::isxdigit(static_cast<unsigned char>(c)))
        {
            strError = "\"" + strWord + "\": '" + c + "' is no hexadecimal digit";
            return false;
        }
        digits += c;
    }
    if (digits.size() % 2 != 0)
    {
        strError = "\"" + strWord + "\": hexadecimal bytes need two digits each";
        return false;
    }
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return true;
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    char hex[4];
    for (std::uint8_t b : bytes)
    {
        std::snprintf(hex, sizeof hex, "%02X", b);
        text += (text.empty() ? "" : " ") + std::string(hex);
    }
    return text;
}

std::vector<std::string> ParameterNames(const std::string& strFunction)
{
    // As VF620.h declares them (a test holds the two together).
    static const std::map<std::string, std::vector<std::string>> kNames = {
        {"OpenDComm", {"nPort", "nParity", "nBaud"}},
        {"OpenDComm1", {"nPort", "nParity", "nBaud"}},
        {"SendDStr", {"pData", "nCount"}},
        {"ReceiveStr", {"pBuffer", "nCount"}},
        {"ReceiveStrPrn", {"pBuffer", "nCount"}},
        {"PurgeComm1", {"nFlags"}},
        {"SetBaudRate", {"nCode"}},
        {"DisplayModal", {"n"}},
        {"SelectMode", {"n"}},
        {"SetDimming", {"n"}},
        {"SetReverse", {"n"}},
        {"DisplayStrAt", {"pText", "nLength", "nSelector"}},
        {"MoveCurToSpePosition", {"a", "b"}},
        {"SetUserFontSet", {"n"}},
        {"SetInterFontSet", {"n"}},
        {"SetInterChaSet", {"n"}},
        {"CancelUserDfont", {"n"}},
        {"SeCanPeriphalDevice", {"n"}},
        {"SelChaCodeTable", {"n"}},
        {"SelectDisMode", {"n"}},
        {"SetInterForBlink", {"n"}},
        {"SetBrightness", {"n"}},
        {"SetWarnAtColumn", {"a", "b"}},
        {"DownLoadFile", {"pszPath", "dwArea"}},
        {"DownLoadFileSinglePage", {"pszPath", "dwArea", "nPage"}},
    };
    const auto it = kNames.find(strFunction);
    return it == kNames.end() ? std::vector<std::string>{} : it->second;
}

std::string DescribeParameters(const char* pszArgs, const std::vector<std::string>& names)
{
    std::string text;
    const std::string args = pszArgs ? pszArgs : "";
    const bool bNamed = names.size() == args.size();
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const char* pszWord = "?";
        switch (args[i])
        {
        case 'i':
        case 'u':
            pszWord = "INT";
            break;
        case 's':
            pszWord = "BYTES";
            break;
        case 'n':
            pszWord = i > 0 && args[i - 1] == 's' ? "[COUNT]" : "COUNT";
            break;
        case 'b':
            continue; // vfdkit supplies the buffer
        case 'z':
            pszWord = "FILE";
            break;
        case 'h':
            pszWord = "HANDLE";
            break;
        }
        std::string word = pszWord;
        if (bNamed)
            word =
                word.front() == '[' ? "[" + names[i] + ":" + word.substr(1) : names[i] + ":" + word;
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

std::vector<std::uint8_t>& CCallArguments::Keep(std::vector<std::uint8_t> bytes)
{
    m_buffers.push_back(std::move(bytes));
    return m_buffers.back();
}

bool CCallArguments::Parse(const VF620_EXPORT_ENTRY& entry, const std::vector<std::string>& words)
{
    const std::string args = entry.pszArgs ? entry.pszArgs : "";
    const std::string strName = entry.pszName;
    m_args.clear();

    // Words the user types: every letter but 'b'; a count after bytes may
    // be left out.
    std::size_t nWanted = 0;
    bool bCountOptional = false;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        if (args[i] == 'b')
            continue;
        ++nWanted;
        if (args[i] == 'n' && i > 0 && args[i - 1] == 's')
            bCountOptional = true;
    }
    const bool bCountLeftOut = bCountOptional && words.size() + 1 == nWanted;
    if (words.size() != nWanted && !bCountLeftOut)
    {
        m_strError =
            strName + " takes " +
            (nWanted == 0 ? std::string("no arguments") : DescribeParameters(args.c_str())) +
            ", not " + std::to_string(words.size()) + " argument" + (words.size() == 1 ? "" : "s");
        return false;
    }

    std::size_t nWord = 0;
    const std::vector<std::uint8_t>* pLastBytes = nullptr;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const char cArg = args[i];
        const bool bAfterBytes = i > 0 && args[i - 1] == 's';
        const bool bAfterBuffer = i > 0 && args[i - 1] == 'b';
        if (cArg == 'b')
        {
            m_args.push_back({}); // the buffer comes with its size, next
            continue;
        }
        if (cArg == 'n' && bAfterBytes && bCountLeftOut)
        {
            m_args.push_back({static_cast<std::int64_t>(pLastBytes->size()), nullptr});
            continue;
        }
        const std::string& word = words[nWord++];
        if (cArg == 'i' || cArg == 'u' || cArg == 'n')
        {
            const auto nValue = ParseCommandLineInteger(word);
            if (!nValue || *nValue < INT32_MIN || *nValue > UINT32_MAX)
            {
                m_strError = strName + ": \"" + word + "\" is no 32-bit integer";
                return false;
            }
            if (cArg == 'n' && bAfterBytes &&
                (*nValue < 0 || *nValue > static_cast<std::int64_t>(pLastBytes->size())))
            {
                m_strError = strName + ": the count " + word + " is more than the " +
                             std::to_string(pLastBytes->size()) + " bytes given";
                return false;
            }
            if (cArg == 'n' && bAfterBuffer)
            {
                if (*nValue < 0 || *nValue > kMaxBuffer)
                {
                    m_strError = strName + ": the count must be from 0 to " +
                                 std::to_string(kMaxBuffer) + ", not " + word;
                    return false;
                }
                auto& buffer = Keep(std::vector<std::uint8_t>(static_cast<std::size_t>(*nValue)));
                m_args.back().m_pData = buffer.data();
                m_pReceive = &buffer;
            }
            m_args.push_back({*nValue, nullptr});
            continue;
        }
        if (cArg == 's' || cArg == 'z')
        {
            std::vector<std::uint8_t> bytes;
            if (cArg == 's' && !ParseByteWord(word, bytes, m_strError))
            {
                m_strError = strName + ": " + m_strError;
                return false;
            }
            if (cArg == 'z')
            {
                bytes.assign(word.begin(), word.end());
                bytes.push_back(0);
            }
            auto& kept = Keep(std::move(bytes));
            pLastBytes = &kept;
            m_args.push_back({0, kept.data()});
            continue;
        }
        m_strError = strName + " cannot be called from the command line";
        return false;
    }
    return true;
}
