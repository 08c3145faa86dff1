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
class QtClipboard final : public IClipboard {
public:
    std::string text() override;
    void setText(const std::string& text) override;
    bool setBitmapFromFile(const std::string& path) override;
};

}  // namespace orv::x11
