#pragma once

#include <string>

#include "platform/clipboard.h"
#include "platform/fake/transcript.h"

namespace orv::fake {

// A clipboard held in memory. Records `clipboard get text -> "<text>"`,
// `clipboard set text "<text>"` and `clipboard set bitmap "<path>" -> ok|failed`; a bitmap
// loads when the file exists, unless a failure is scripted.
class FakeClipboard final : public IClipboard, public Recorder {
public:
    using Recorder::Recorder;

    std::string text() override;
    void setText(const std::string& text) override;
    bool setBitmapFromFile(const std::string& path) override;

    // Sets the content without recording.
    void preset(std::string text) { text_ = std::move(text); }
    const std::string& content() const { return text_; }
    const std::string& bitmap() const { return bitmap_; }
    void failBitmaps(bool fail) { failBitmaps_ = fail; }

private:
    std::string text_;
    std::string bitmap_;
    bool failBitmaps_ = false;
};

}  // namespace orv::fake
