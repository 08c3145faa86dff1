#include "platform/fake/fake_file_system.h"

#include <filesystem>

#include "platform/fake/trace_quoted.h"

namespace orv::fake {

namespace {

const char* answer(bool ok) { return ok ? " -> ok" : " -> failed"; }

}  // namespace

std::string FakeFileSystem::key(const std::string& path) {
    std::string p = disk_.resolve(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}

bool FakeFileSystem::setCurrentDirectory(const std::string& path) {
    bool ok = disk_.setCurrentDirectory(path);
    if (!ok && !path.empty() && created_.count(key(path)) != 0) {
        ok = true;
        disk_ = StdFileSystem(key(path));
    }
    record("chdir " + traceQuoted(path) + answer(ok));
    return ok;
}

std::optional<std::string> FakeFileSystem::readFile(const std::string& path) {
    std::optional<std::string> bytes = disk_.readFile(path);
    record("file read " + traceQuoted(path) +
           (bytes ? " -> " + std::to_string(bytes->size()) + " bytes" : " -> failed"));
    return bytes;
}

bool FakeFileSystem::fileExists(const std::string& path) { return disk_.fileExists(path); }

bool FakeFileSystem::isDirectory(const std::string& path) {
    return disk_.isDirectory(path) || (!path.empty() && created_.count(key(path)) != 0);
}

bool FakeFileSystem::createDirectory(const std::string& path) {
    bool ok = !path.empty() && failCreate_.count(path) == 0 && !isDirectory(path) && !fileExists(path);
    if (ok) {
        // The parent must exist (on disk or created in this run).
        const std::filesystem::path parent = std::filesystem::path(key(path)).parent_path();
        ok = isDirectory(parent.string());
    }
    if (ok) created_.insert(key(path));
    record("mkdir " + traceQuoted(path) + answer(ok));
    return ok;
}

bool FakeFileSystem::deleteFile(const std::string& path) {
    const bool ok = fileExists(path);
    record("file delete " + traceQuoted(path) + answer(ok));
    return ok;
}

bool FakeFileSystem::copyFile(const std::string& from, const std::string& to) {
    const bool ok = fileExists(from) && !to.empty();
    record("file copy " + traceQuoted(from) + " " + traceQuoted(to) + answer(ok));
    return ok;
}

bool FakeFileSystem::renameFile(const std::string& from, const std::string& to) {
    const bool ok = fileExists(from) && !to.empty() && !fileExists(to) && !isDirectory(to);
    record("file rename " + traceQuoted(from) + " " + traceQuoted(to) + answer(ok));
    return ok;
}

}  // namespace orv::fake
