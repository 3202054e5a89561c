// Writes the served page's icons into the folder given as the only argument:
// the design at 192 and 512 pixels for browsers and launchers, and on a whole
// square at 512 (maskable, for Android's shapes) and at 180 (iOS's home
// screen, which shows no transparency).
#include "icon_design.h"
#include "png_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    using dbmconv::icon::drawn;
    using dbmconv::icon::drawnOnSquare;
    using dbmconv::icon::pngFile;
    const bool ok = write(folder / "icon-192.png", pngFile(drawn(192), 192))
        && write(folder / "icon-512.png", pngFile(drawn(512), 512))
        && write(folder / "icon-maskable-512.png", pngFile(drawnOnSquare(512), 512))
        && write(folder / "apple-touch-icon.png", pngFile(drawnOnSquare(180), 180));
    if (!ok) {
        std::fprintf(stderr, "cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
