#include "remap_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "store/macro_file.h"

namespace orv::remap {
namespace {

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool endsWithOrv(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return tail == ".ORV";
}

// Up to kTableSize + 1 bytes of the file, so that a longer file is noticed.
std::optional<std::string> readHead(const std::string& path, bool& missing) {
    const int fd = openRegularFile(path, O_RDONLY | O_CLOEXEC);
    missing = fd < 0 && errno == ENOENT;
    if (fd < 0) return std::nullopt;
    std::string data(kTableSize + 1, '\0');
    std::size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    data.resize(got);
    return data;
}

}  // namespace

std::string swapFilePath(const std::string& macroFile) {
    std::string path = endsWithOrv(macroFile) ? macroFile.substr(0, macroFile.size() - 4) + ".ORS" : macroFile + ".ORS";
    if (sameFile(path, macroFile)) path += ".ORS";
    return path;
}

LoadResult LoadSwapKeys(const std::string& path, RemapTables& tables) {
    bool missing = false;
    const std::optional<std::string> data = readHead(path, missing);
    if (!data) return {missing ? LoadResult::Kind::Missing : LoadResult::Kind::Unreadable, {}};

    RemapTables loaded;
    int outOfRange = 0;
    const std::size_t count = std::min(data->size(), kTableSize);
    for (std::size_t i = 0; i < count; ++i)
        if (!loaded.set(i, static_cast<std::uint8_t>((*data)[i]))) ++outOfRange;
    tables = loaded;

    std::string message;
    if (data->size() != kTableSize)
        message = "The remap file \"" + path + "\" is " + (data->size() > kTableSize ? "longer" : "shorter") +
                  " than 93 bytes; keys it does not hold are not remapped.";
    if (outOfRange > 0)
        message += std::string(message.empty() ? "" : " ") + "The remap file \"" + path + "\" has " +
                   std::to_string(outOfRange) + (outOfRange == 1 ? " entry" : " entries") +
                   " out of range (1 to 31); those keys are not remapped.";
    return {message.empty() ? LoadResult::Kind::Loaded : LoadResult::Kind::Repaired, message};
}

bool SaveSwapKeys(const std::string& path, const RemapTables& tables) {
    const RemapTables::Bytes& bytes = tables.bytes();
    return replaceFileAtomically(path, std::string(bytes.begin(), bytes.end()));
}

LoadResult GetSwapFile(const std::string& macroFile, RemapTables& tables, std::string& swapPath) {
    swapPath = swapFilePath(macroFile);
    tables = RemapTables();
    const LoadResult result = LoadSwapKeys(swapPath, tables);
    if (result.kind == LoadResult::Kind::Missing) SaveSwapKeys(swapPath, tables);
    return result;
}

}  // namespace orv::remap
