#include "platform/fake/fake_clipboard.h"

#include "platform/fake/trace_quoted.h"

namespace orv::fake {

std::string FakeClipboard::text() {
    record("clipboard get text -> " + traceQuoted(text_));
    return text_;
}

void FakeClipboard::setText(const std::string& text) {
    record("clipboard set text " + traceQuoted(text));
    text_ = text;
    bitmap_.clear();
}

bool FakeClipboard::setBitmapFromFile(const std::string& path) {
    const bool ok = !failBitmaps_;
    record("clipboard set bitmap " + traceQuoted(path) + (ok ? " -> ok" : " -> failed"));
    if (ok) {
        bitmap_ = path;
        text_.clear();
    }
    return ok;
}

}  // namespace orv::fake
