// vfdkit's command line after the command name: the input, split at NUL
// bytes, is the argument list; options as the font commands declare them.
#include "Command.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < nSize && args.size() < 64; ++i)
    {
        if (pData[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(pData[i]);
    }
    const std::vector<CArguments::COption> options = {{"width", "W", "glyph width"},
                                                      {"height", "H", "glyph height"},
                                                      {"glyphs", "N", "glyph count"},
                                                      {"center", "", "centre the glyphs"}};
    CArguments parsed;
    if (!parsed.Parse(args, options, 1, 2))
    {
        if (parsed.m_strError.empty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    if (parsed.m_positionals.empty() || parsed.m_positionals.size() > 2)
        __builtin_trap();
    for (const char* pszName : {"width", "height", "glyphs"})
    {
        const auto value = parsed.GetInteger(pszName, 1, 65536, 16);
        if (value && (*value < 1 || *value > 65536))
            __builtin_trap();
        // A number read back from its decimal form is the same number.
        if (const auto text = parsed.Get(pszName))
            if (const auto n = ParseCommandLineInteger(*text))
                if (ParseCommandLineInteger(std::to_string(*n)) != n)
                    __builtin_trap();
    }
    return 0;
}
