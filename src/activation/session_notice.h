#pragma once

#include <string>

#include "platform/capabilities.h"

namespace orv {

// The notice of what the desktop session lacks, shown when the program starts unless the user
// asked not to see that same notice again. The answer is kept in a file of its own beside the
// settings: a session that lacks something else shows its notice again.
class SessionNotice {
public:
    // `configDir`: the folder of the settings file.
    SessionNotice(const Capabilities& session, const std::string& configDir);

    // The notice text; empty when the session lacks nothing.
    const std::string& text() const { return text_; }
    // Whether to show it now: it has a text that the user did not dismiss for good.
    bool due() const;
    // The user ticked "Do not show this again": false when that cannot be kept.
    bool dismissForGood() const;

private:
    std::string text_;
    std::string file_;
};

}  // namespace orv
