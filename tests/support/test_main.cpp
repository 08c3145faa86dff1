// Test entry point: every test process works in a fresh ORVANTA_HOME of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-test-XXXXXX").string();
    const char* dir = ::mkdtemp(pattern.data());
    if (dir == nullptr) return 2;
    ::setenv("ORVANTA_HOME", dir, 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return result;
}
