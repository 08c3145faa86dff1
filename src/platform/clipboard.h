#pragma once

#include <string>

namespace orv {

// The system clipboard: plain text (Windows-1252) and pictures.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    // The clipboard's text, empty when it holds none.
    virtual std::string text() = 0;
    virtual void setText(const std::string& text) = 0;
    // Loads the picture file at `path` and puts it on the clipboard; false when it cannot be
    // loaded.
    virtual bool setBitmapFromFile(const std::string& path) = 0;
};

}  // namespace orv
