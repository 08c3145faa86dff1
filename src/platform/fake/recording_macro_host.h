#pragma once

#include <string>

#include "platform/macro_host.h"
#include "platform/fake/trace_quoted.h"
#include "platform/fake/transcript.h"

namespace orv {

// A macro host for tests and dry runs: records each call and answers from its settings.
// Lines: `host lock shared file -> ok|in use`, `host release shared file[ unchanged]`,
// `host before delete <n>`, `host macro deleted <n> timed <0|1> popup <0|1>`,
// `host active changed <n> timed <0|1>`, `host swap "<path>" -> ok|kept`,
// `host swapped "<previous>" "<current>"`.
class RecordingMacroHost final : public IMacroHost, public fake::Recorder {
public:
    using Recorder::Recorder;

    bool lockSharedFile() override {
        record(std::string("host lock shared file") + (inUse_ ? " -> in use" : " -> ok"));
        return !inUse_;
    }
    void releaseSharedFile(bool changed) override {
        record(changed ? "host release shared file" : "host release shared file unchanged");
    }
    void beforeMacroDelete(int number) override { record("host before delete " + std::to_string(number)); }
    void macroDeleted(int number, bool wasTimed, bool wasPopupMenu) override {
        record("host macro deleted " + std::to_string(number) + " timed " + (wasTimed ? "1" : "0") + " popup " +
               (wasPopupMenu ? "1" : "0"));
    }
    void macroActiveChanged(int number, bool timed) override {
        record("host active changed " + std::to_string(number) + " timed " + (timed ? "1" : "0"));
    }
    bool beginMacroFileSwap(const std::string& path) override {
        record("host swap " + fake::traceQuoted(path) + (allowSwap_ ? " -> ok" : " -> kept"));
        return allowSwap_;
    }
    void macroFileSwapped(const std::string& previous, const std::string& current) override {
        record("host swapped " + fake::traceQuoted(previous) + " " + fake::traceQuoted(current));
    }

    // The shared file is in use by another user: every lock is refused.
    void setInUse(bool inUse) { inUse_ = inUse; }
    // Whether "<SWAP:" may switch files.
    void allowSwap(bool allow) { allowSwap_ = allow; }

private:
    bool inUse_ = false;
    bool allowSwap_ = true;
};

}  // namespace orv
