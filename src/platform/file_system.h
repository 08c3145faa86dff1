#pragma once

#include <optional>
#include <string>

namespace orv {

// The file operations of the macro language. Relative paths are relative to the current
// directory held here, which "<CHDIR:" changes.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    virtual std::string currentDirectory() = 0;
    // False when `path` is not a directory that can be entered.
    virtual bool setCurrentDirectory(const std::string& path) = 0;

    // The whole file as bytes; nothing when it cannot be opened for reading and writing.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    // Creates one folder whose parent exists.
    virtual bool createDirectory(const std::string& path) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    // Copies, replacing an existing destination.
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    // Renames or moves.
    virtual bool renameFile(const std::string& from, const std::string& to) = 0;
};

// The real file system through std::filesystem. With `followProcess` the current directory is
// the process's own (what the program uses); otherwise it is kept here, starting at `start`
// (tests, dry runs).
class StdFileSystem final : public IFileSystem {
public:
    StdFileSystem();  // follows the process
    explicit StdFileSystem(std::string start);

    std::string currentDirectory() override;
    bool setCurrentDirectory(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    bool createDirectory(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to) override;
    bool renameFile(const std::string& from, const std::string& to) override;

    // `path` made absolute against the current directory.
    std::string resolve(const std::string& path);

private:
    bool followProcess_;
    std::string current_;
};

}  // namespace orv
