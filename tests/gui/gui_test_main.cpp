// Entry point of the form tests: a fresh ORVANTA_HOME and one QApplication on the offscreen
// platform for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-gui-test-XXXXXX").string();
    const char* dir = ::mkdtemp(pattern.data());
    if (dir == nullptr) return 2;
    ::setenv("ORVANTA_HOME", dir, 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return result;
}
