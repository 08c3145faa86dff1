#include "platform/paste_typing.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_clipboard.h"
#include "platform/fake/transcript.h"

namespace orv {
namespace {

using Lines = std::vector<std::string>;

// A paste channel that records what it offers, on the clipboard's transcript, and whose window
// takes the text or not.
class FakePasteChannel final : public IPasteChannel, public fake::Recorder {
public:
    using Recorder::Recorder;
    bool taken = true;
    bool pasteText(const std::string& text, std::chrono::milliseconds deadline) override {
        record("paste " + text + " within " + std::to_string(deadline.count()) + " ms -> " +
               (taken ? "taken" : "not taken"));
        return taken;
    }
};

TEST(PasteTyping, TheUsersClipboardTextComesBackAfterThePaste) {
    const struct {
        const char* before;
        bool taken;
        Lines expected;
    } cases[] = {
        {"user's text",
         true,
         {"clipboard get text -> \"user's text\"", "paste \xE2\x82\xAC within 2000 ms -> taken",
          "clipboard set text \"user's text\""}},
        // A window that never takes the paste still gets the user's text back.
        {"user's text",
         false,
         {"clipboard get text -> \"user's text\"", "paste \xE2\x82\xAC within 2000 ms -> not taken",
          "clipboard set text \"user's text\""}},
        // No text to put back: the clipboard is not set to an empty text.
        {"", true, {"clipboard get text -> \"\"", "paste \xE2\x82\xAC within 2000 ms -> taken"}},
    };
    for (const auto& c : cases) {
        fake::Transcript trace;
        fake::FakeClipboard clipboard(trace);
        clipboard.preset(c.before);
        FakePasteChannel channel(trace);
        channel.taken = c.taken;
        EXPECT_EQ(PasteTyping(clipboard, channel).type("\xE2\x82\xAC"), c.taken);
        EXPECT_EQ(trace.lines(), c.expected) << c.before << " " << c.taken;
        EXPECT_EQ(clipboard.content(), c.before);
    }
}

TEST(PasteTyping, NothingToTypeTouchesNothing) {
    fake::Transcript trace;
    fake::FakeClipboard clipboard(trace);
    FakePasteChannel channel(trace);
    EXPECT_TRUE(PasteTyping(clipboard, channel).type(""));
    EXPECT_TRUE(trace.lines().empty());
}

}  // namespace
}  // namespace orv
