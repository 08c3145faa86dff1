#pragma once

#include <string>

namespace orv::cli {

// A private folder for a dry run's copy of a macro file: "orvanta-play-<pid>-XXXXXX" in the
// user's private runtime folder. It is removed when the run ends, and also when SIGINT,
// SIGTERM, SIGHUP, SIGQUIT or SIGPIPE end it; one that a run killed outright left behind is
// removed by the next run that makes one.
class ScratchDir {
public:
    // Makes the folder in `parent`; path() is empty when that failed.
    explicit ScratchDir(const std::string& parent);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    // `file` in the folder is removed with it, also by a signal.
    void holds(const std::string& file);

private:
    std::string path_;
};

// Removes the scratch folders in `parent` whose runs have ended.
void removeAbandonedScratchDirs(const std::string& parent);

}  // namespace orv::cli
