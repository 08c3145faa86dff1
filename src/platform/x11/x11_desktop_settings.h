#pragma once

#include <memory>

#include "platform/desktop_settings.h"
#include "platform/x11/display_ptr.h"

namespace orv::x11 {

// The keyboard repeat delay (0..3) in milliseconds: 250, 500, 750, 1000; larger values count as 3.
int repeatDelayMs(int delay);
// The interval between repeats for a repeat speed 0..31 (2.5 to 30 characters a second, evenly
// spaced); larger values count as 31.
int repeatIntervalMs(int speed);

// Session settings of the X server on a connection of its own (main thread only): keyboard
// repeat through XKB, the server's screen saver, display modes of the primary output through
// RandR, the wallpaper as the root window's background (and GNOME's own setting in a GNOME
// session), printers through CUPS (in the printers module, opened when first needed). There is
// no window border width to set: it is accepted and ignored.
class X11DesktopSettings final : public IDesktopSettings {
public:
    static std::unique_ptr<X11DesktopSettings> create();
    ~X11DesktopSettings() override;
    X11DesktopSettings(const X11DesktopSettings&) = delete;
    X11DesktopSettings& operator=(const X11DesktopSettings&) = delete;

    bool setKeyboardDelay(int delay) override;
    bool setKeyboardSpeed(int speed) override;
    bool setScreenSaverTimeout(int seconds) override;
    bool setBorderWidth(int width) override;
    bool screenSaverActive() override;
    void setScreenSaverActive(bool active) override;
    void startScreenSaver() override;
    bool displayMode(int index, DisplayMode& mode) override;
    int testDisplayMode(const DisplayMode& mode) override;
    int applyDisplayMode(const DisplayMode& mode) override;
    void setWallpaper(const WallpaperValues& values) override;
    std::vector<PrinterInfo> printers() override;
    std::string printerDevicesEntry(const std::string& name) override;
    void setDefaultPrinter(const std::string& deviceLine) override;

private:
    explicit X11DesktopSettings(DisplayPtr display);
    bool setRepeat(int delayMs, int intervalMs);
    DisplayPtr display_;
    // The time-out the screen saver gets back when it is switched on again: the server knows
    // "off" only as a time-out of 0.
    int inactiveTimeout_ = 600;
};

}  // namespace orv::x11
