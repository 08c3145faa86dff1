#pragma once

#include <set>
#include <string>

#include "platform/fake/transcript.h"
#include "platform/file_system.h"

namespace orv::fake {

// A file system that reads the real one but changes nothing: reads and queries go to the disk
// (relative to its own current directory), changes are recorded and answered as the disk would
// answer them without being made. Folders "created" are remembered so that later queries see
// them. Lines: `chdir "<p>" -> ok|failed`, `file read "<p>" -> <n> bytes|failed`,
// `mkdir "<p>" -> ok|failed`, `file delete "<p>" -> ok|failed`, `file copy "<a>" "<b>" -> ...`,
// `file rename "<a>" "<b>" -> ...`. Existence queries are not recorded.
class FakeFileSystem final : public IFileSystem, public Recorder {
public:
    using Recorder::Recorder;
    FakeFileSystem(Transcript& shared, std::string start) : Recorder(shared), disk_(std::move(start)) {}

    std::string currentDirectory() override { return disk_.currentDirectory(); }
    bool setCurrentDirectory(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    bool createDirectory(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to) override;
    bool renameFile(const std::string& from, const std::string& to) override;

    // Makes creating the folder `path` (as the command gives it) fail.
    void failCreate(const std::string& path) { failCreate_.insert(path); }

private:
    std::string key(const std::string& path);

    StdFileSystem disk_{std::string(".")};
    std::set<std::string> created_;
    std::set<std::string> failCreate_;
};

}  // namespace orv::fake
