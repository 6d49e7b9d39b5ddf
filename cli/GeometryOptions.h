#pragma once

#include "Command.h"

#include <optional>

// --width and --height, as the editor offers them: widths 8, 16, 24, 32;
// heights 1 to 32. Both default to 16, as a freshly opened font.
inline const CArguments::COption kWidthOption{"width", "W", "glyph width: 8, 16, 24 or 32 (16)"};
inline const CArguments::COption kHeightOption{"height", "H", "glyph height: 1 to 32 (16)"};

struct CGeometry
{
    unsigned m_nWidth;
    unsigned m_nHeight;
};

inline std::optional<CGeometry> ReadGeometry(CArguments& args)
{
    const auto width = args.GetInteger("width", 8, 32, 16);
    if (!width)
        return std::nullopt;
    if (*width % 8 != 0)
    {
        args.m_strError = "--width must be 8, 16, 24 or 32, not \"" + *args.Get("width") + "\"";
        return std::nullopt;
    }
    const auto height = args.GetInteger("height", 1, 32, 16);
    if (!height)
        return std::nullopt;
    return CGeometry{static_cast<unsigned>(*width), static_cast<unsigned>(*height)};
}
