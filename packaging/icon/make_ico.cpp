// Writes the program's Windows icon, the designed 16 and 32 pixel images, to the
// path given as the only argument.
#include "ico_file.h"
#include "icon_output.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    if (!dbmconv::icon::writeIconFile(argv[1], dbmconv::icon::icoFile({16, 32}))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
