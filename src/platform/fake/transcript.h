#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orv::fake {

// The canonical record of platform calls: one line per call, in call order. Several fakes may
// share one transcript so that a dry run shows every call of every interface in order.
class Transcript {
public:
    void add(std::string line) {
        if (stream_ != nullptr) {
            *stream_ << line << '\n';
            return;
        }
        lines_.push_back(std::move(line));
    }
    // From now on every line goes to `out` as it is added and is not kept, so that a run of any
    // length needs no memory for its record; nullptr keeps the lines again.
    void streamTo(std::ostream* out) { stream_ = out; }
    const std::vector<std::string>& lines() const { return lines_; }
    // All lines, each ended by a line feed.
    std::string text() const {
        std::string out;
        for (const auto& line : lines_) {
            out += line;
            out += '\n';
        }
        return out;
    }
    void clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
    std::ostream* stream_ = nullptr;
};

// Base of the fakes: records into a shared transcript or into its own.
class Recorder {
public:
    Recorder() : transcript_(&own_) {}
    explicit Recorder(Transcript& shared) : transcript_(&shared) {}
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    Transcript& transcript() { return *transcript_; }
    const Transcript& transcript() const { return *transcript_; }

protected:
    void record(std::string line) { transcript_->add(std::move(line)); }

private:
    Transcript own_;
    Transcript* transcript_;
};

}  // namespace orv::fake
