#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/unique_fd.h"

namespace orv::capture {

inline constexpr const char* kCaptureFileName = "TempCap.Txt";
// Captured text up to this many bytes becomes the macro text itself.
inline constexpr std::uintmax_t kMaxInlineCapture = 5000;

struct CaptureFileError {
    std::string message;
    bool diskFull = false;
};

// "TempCap.Txt" in the program folder, written as the recorder delivers each piece. Every append
// goes straight to the file (no buffer in the program), so a crash loses nothing that was
// recorded and the next start can finish the capture.
class CaptureFile {
public:
    static std::string pathIn(const std::string& folder);

    // Creates the file empty (or empties it), ready for appending.
    static std::variant<CaptureFile, CaptureFileError> create(const std::string& folder);

    // Writes all of `text` or reports why not; on a full disk what fitted stays in the file.
    std::variant<std::monostate, CaptureFileError> append(std::string_view text);
    std::uintmax_t size() const { return size_; }
    const std::string& path() const { return path_; }
    void close() { fd_.reset(); }

private:
    CaptureFile(std::string path, UniqueFd fd) : path_(std::move(path)), fd_(std::move(fd)) {}

    std::string path_;
    UniqueFd fd_;
    std::uintmax_t size_ = 0;
};

// The overflow file name for `n`: "OR" + n in decimal + ".TXT".
std::string overflowName(int n);

// Turns a finished capture file into macro text: up to `inlineLimit` bytes the text itself; a
// longer capture is copied to the first free overflow file in `folder` (an existing one is never
// replaced) and the text is "<TFILE:" + its full path + ">". The capture file is deleted only
// once its text is safe.
std::variant<std::string, CaptureFileError> finishCaptureFile(const std::string& folder,
                                                              std::uintmax_t inlineLimit = kMaxInlineCapture);

}  // namespace orv::capture
