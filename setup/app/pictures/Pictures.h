#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The setup utility's pictures, drawn by program so that they can be made
// again and checked: the three preview bitmaps of the product selection
// window, a rendering of each display model showing sample text, and the
// icons (the application's, and the tool bar buttons' faces, each also
// greyed for a disabled button). The files live beside the windows'
// resources (setup/app/wx); render_pictures writes them there when told to.
struct CPicture
{
    int m_nId;             // resource id
    std::string m_strFile; // file name beside the resources
    int m_nWidth;
    int m_nHeight;
    bool m_bAlpha; // icons: RGBA; bitmaps: 24-bit RGB
};

const std::vector<CPicture>& ProgramPictures();

// The picture as a PNG file's bytes.
std::vector<std::uint8_t> RenderPicture(const CPicture& picture);
