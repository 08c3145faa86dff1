#pragma once

#include <string>

#include "platform/clipboard.h"

namespace orv::x11 {

// The CLIPBOARD selection through Qt's clipboard; to be used on the thread of the Qt
// application, and without a QGuiApplication it holds nothing and takes nothing.
//
// The engine's text is Windows-1252 with CR LF line breaks; the selection's is Unicode with LF
// line breaks, as X clients expect. Characters Windows-1252 lacks read as "?". Pictures are
// loaded with QImage (every format its image plugins read) and offered as images.
//
// Setting text or a picture first runs Qt's event loop (without user input) until Qt has seen
// the server's current time, so that the selection is taken even from a client that took it
// after the program's windows last received an event.
class QtClipboard final : public IClipboard {
public:
    std::string text() override;
    void setText(const std::string& text) override;
    bool setBitmapFromFile(const std::string& path) override;
};

}  // namespace orv::x11
