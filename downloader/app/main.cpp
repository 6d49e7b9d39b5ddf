// Pagewing, the font download utility.
#include "PagewingApp.h"
#include "ProgramStart.h"

int main(int argc, char** argv)
{
    CPagewingProgramStart start(argc, argv);
    return CPagewingApp().Run(start);
}
