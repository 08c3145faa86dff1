#pragma once

// Small helpers around Xlib shared by the X11 platform and the hook library. Internal to
// src/platform/x11: this header pulls in Xlib and its macros.

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/x11/display_ptr.h"

namespace orv::x11 {

// Opens a connection of its own to $DISPLAY (nullptr when there is none). The first call
// prepares Xlib for threads and installs an error handler that never ends the process.
DisplayPtr openDisplay();

// Collects the protocol errors of one connection on the calling thread while it lives. Xlib
// reports an error on the thread that reads it, and every connection here belongs to one
// thread, so a thread-local trap sees exactly its own errors.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits for the server to process every request sent so far; the number of errors seen.
    int sync();
    int errors() const { return errors_; }
    unsigned char firstErrorCode() const { return firstCode_; }

private:
    friend int handleXError(Display*, XErrorEvent*);
    Display* display_;
    ErrorTrap* previous_;
    int errors_ = 0;
    unsigned char firstCode_ = 0;
};

Atom atom(Display* display, const char* name);

// A window property read whole: 32-bit items come back as longs (Xlib's convention).
struct Property {
    Atom type = 0;
    int format = 0;
    std::vector<unsigned char> data;  // 8-bit items
    std::vector<long> items;          // 32-bit items
};
std::optional<Property> readProperty(Display* display, Window window, Atom property);
std::optional<long> readCardinal(Display* display, Window window, Atom property);
std::optional<Window> readWindow(Display* display, Window window, Atom property);
std::vector<Window> readWindows(Display* display, Window window, Atom property);
// The UTF-8 title (_NET_WM_NAME, else WM_NAME in the locale's encoding taken as Latin-1).
std::optional<std::string> readTitleUtf8(Display* display, Window window);

// The device ids of the XTest slave devices ("Virtual core XTEST keyboard/pointer").
std::vector<int> xtestDeviceIds(Display* display);
// The XTest keyboard devices alone.
std::vector<int> xtestKeyboardIds(Display* display);

// Sends an EWMH client message to the root window, as pagers and task bars do.
void sendRootMessage(Display* display, Window window, Atom type, long d0 = 0, long d1 = 0, long d2 = 0, long d3 = 0,
                     long d4 = 0);

}  // namespace orv::x11
