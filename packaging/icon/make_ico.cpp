// Writes the program's Windows icon, the designed 16 and 32 pixel images, to the
// path given as the only argument.
#include "ico_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    const std::filesystem::path path(argv[1]);
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    const auto ico = dbmconv::icon::icoFile({16, 32});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
