// Pagewing, the font download utility.
#include "PagewingApp.h"

int main(int argc, char** argv)
{
    return CPagewingApp(argc, argv).Run();
}
