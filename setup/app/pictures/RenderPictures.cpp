// Writes the setup utility's pictures (Pictures.h) into a folder, by default
// the one beside the windows' resources:
//
//     render_pictures [folder]

#include "File.h"
#include "Pictures.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const std::string strFolder = argc > 1 ? argv[1] : VFDKIT_PICTURES_DIR;
    int nStatus = 0;
    for (const CPicture& picture : ProgramPictures())
    {
        const std::vector<std::uint8_t> png = RenderPicture(picture);
        const std::string strPath = strFolder + "/" + picture.m_strFile;
        CFile file;
        if (file.Open(strPath, CFile::EMode::CreateReadWrite) &&
            file.Write(png.data(), png.size()) && file.Close())
            std::printf("%s (%d x %d)\n", strPath.c_str(), picture.m_nWidth, picture.m_nHeight);
        else
        {
            std::fprintf(stderr, "render_pictures: %s\n", file.GetLastError().c_str());
            nStatus = 1;
        }
    }
    return nStatus;
}
