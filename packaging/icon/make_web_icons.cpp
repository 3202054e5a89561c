// Writes the served page's icons into the folder given as the only argument:
// the design at 192 and 512 pixels for browsers and launchers, and on a whole
// square at 512 (maskable, for Android's shapes) and at 180 (iOS's home
// screen, which shows no transparency).
#include "icon_design.h"
#include "icon_output.h"
#include "png_file.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    using dbmconv::icon::drawn;
    using dbmconv::icon::drawnOnSquare;
    using dbmconv::icon::pngFile;
    using dbmconv::icon::writeIconFile;
    const bool ok = writeIconFile(folder / "icon-192.png", pngFile(drawn(192), 192))
        && writeIconFile(folder / "icon-512.png", pngFile(drawn(512), 512))
        && writeIconFile(folder / "icon-maskable-512.png", pngFile(drawnOnSquare(512), 512))
        && writeIconFile(folder / "apple-touch-icon.png", pngFile(drawnOnSquare(180), 180));
    if (!ok) {
        std::fprintf(stderr, "cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
