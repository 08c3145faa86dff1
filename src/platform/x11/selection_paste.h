#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "platform/x11/display_ptr.h"

namespace orv::x11 {

// Hands text to the focused window through the CLIPBOARD selection, on a connection of its
// own: it owns the selection with the text for one paste, has the paste keys pressed, answers
// the window's request for the text and gives the selection up again. Knowing when the text
// was taken is the point: the clipboard's earlier content can be put back only after that.
class SelectionPaste {
public:
    // nullptr when there is no display.
    static std::unique_ptr<SelectionPaste> open();
    ~SelectionPaste();
    SelectionPaste(const SelectionPaste&) = delete;
    SelectionPaste& operator=(const SelectionPaste&) = delete;

    // Offers `utf8`, calls `pressPasteKeys` and answers requests until a window has taken the
    // text as text (or the deadline passes, or another client takes the selection).
    bool paste(const std::string& utf8, const std::function<void()>& pressPasteKeys,
               std::chrono::milliseconds deadline);

private:
    struct Atoms;
    SelectionPaste(DisplayPtr display, unsigned long window);
    // Answers one request with `utf8` (refuses it when null); true when it delivered the text.
    bool answer(const void* request, const std::string* utf8);
    void refuseLateRequests();

    DisplayPtr display_;
    unsigned long window_;
    std::unique_ptr<Atoms> atoms_;
};

}  // namespace orv::x11
