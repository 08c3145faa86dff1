#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace orv::test {

// A fresh folder under ORVANTA_HOME for one test, removed afterwards.
class TempDir {
public:
    TempDir() {
        const char* home = std::getenv("ORVANTA_HOME");
        std::string pattern = std::string(home != nullptr ? home : "/tmp") + "/t-XXXXXX";
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace orv::test
