#include "platform/paste_typing.h"

#include "platform/clipboard.h"

namespace orv {

bool PasteTyping::type(const std::string& utf8) {
    if (utf8.empty()) return true;
    const std::string saved = clipboard_.text();
    const bool taken = channel_.pasteText(utf8, kDeadline);
    if (!saved.empty()) clipboard_.setText(saved);
    return taken;
}

}  // namespace orv
