#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>

namespace dbmconv::fuzz {

void fail(const std::string& what, const std::u16string& input)
{
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\ninput (%zu code units):", what.c_str(), input.size());
    for (std::size_t i = 0; i < input.size() && i < 200; ++i) {
        std::fprintf(stderr, " %04x", static_cast<unsigned>(input[i]));
    }
    std::fprintf(stderr, "\n");
    std::abort();
}

} // namespace dbmconv::fuzz
