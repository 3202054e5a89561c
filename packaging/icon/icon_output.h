#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace dbmconv::icon {

// Writes an icon file's bytes, making the folders on its path first; false
// when they could not be written.
inline bool writeIconFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace dbmconv::icon
