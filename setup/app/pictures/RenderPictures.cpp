// Writes the setup utility's pictures (Pictures.h) into a folder; the kept
// ones live beside the windows' resources:
//
//     build/tools/render_pictures setup/app/wx

#include "File.h"
#include "Pictures.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    // No default folder: a developer tool writes into the source tree only when told to.
    if (argc != 2)
    {
        std::fprintf(stderr, "Usage: render_pictures FOLDER\n");
        return 2;
    }
    const std::string strFolder = argv[1];
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
