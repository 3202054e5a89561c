// Runs the suite, optionally under the locale named by DBMCONV_TEST_LOCALE, set
// for both the C library and the C++ global locale, as a toolkit does at start-up.
// A locale that is missing, or that does not write numbers with a decimal comma
// when that was asked for, fails the run instead of silently testing nothing.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <locale>
#include <string>

namespace {

bool applyLocale(const char* name)
{
    if (std::setlocale(LC_ALL, name) == nullptr) {
        std::cerr << "locale " << name << " is not installed\n";
        return false;
    }
#if !defined(_WIN32)
    // (MinGW's C++ library knows no locale but "C"; there the C runtime's is the one that matters.)
    try {
        std::locale::global(std::locale(name));
    } catch (const std::exception& error) {
        std::cerr << "C++ locale " << name << ": " << error.what() << '\n';
        return false;
    }
#endif
    if (std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
        std::cerr << "locale " << name << " does not use a decimal comma\n";
        return false;
    }
    std::cout << "running under locale " << name << '\n';
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (const char* name = std::getenv("DBMCONV_TEST_LOCALE"); name != nullptr && *name != '\0') {
        if (!applyLocale(name)) {
            return 2;
        }
    }
    return RUN_ALL_TESTS();
}
