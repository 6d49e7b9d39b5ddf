// Pagewing, the font download utility.
#include "PagewingApp.h"
#include "StandardOptions.h"

namespace
{
const CProgramInfo kPagewing{
    "Pagewing", "Usage: Pagewing\n"
                "       Pagewing --help | --version\n"
                "\n"
                "Downloads a font file's character area, or one page, to a customer\n"
                "display through the VF620 library, and shows its test screens.\n"
                "COM port n is VFDKIT_COM<n>, else the port map, else /dev/ttyS<n-1>.\n"};
} // namespace

int main(int argc, char** argv)
{
    if (const auto nStatus = AnswerStandardOptions(argc, argv, kPagewing))
        return *nStatus;
    return CPagewingApp(argc, argv).Run();
}
