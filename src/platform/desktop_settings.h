#pragma once

#include <string>
#include <vector>

namespace orv {

// One display mode, as the display enumerates it.
struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshHz = 0;
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// Results of testing or making a display change. The numbers are the ones the macro
// language has always reported.
namespace display_result {
inline constexpr int kSuccessful = 0;
inline constexpr int kRestart = 1;
inline constexpr int kFailed = -1;
inline constexpr int kBadMode = -2;
inline constexpr int kNotUpdated = -3;
inline constexpr int kBadFlags = -4;
}  // namespace display_result

// The values that describe the wallpaper, written as text.
struct WallpaperValues {
    std::string file;     // "Wallpaper"
    std::string tile;     // "TileWallpaper": "1" or "0"
    std::string style;    // "WallpaperStyle": "2" stretch, "0" otherwise
    std::string originX;  // "WallpaperOriginX"
    std::string originY;  // "WallpaperOriginY"
    friend bool operator==(const WallpaperValues&, const WallpaperValues&) = default;
};

struct PrinterInfo {
    std::string name;
    std::string driver;  // may be empty
    std::string port;    // may be empty
    friend bool operator==(const PrinterInfo&, const PrinterInfo&) = default;
};

// Settings of the session that last until the next log-on: keyboard repeat, screen saver,
// window border, display mode, wallpaper and default printer.
class IDesktopSettings {
public:
    virtual ~IDesktopSettings() = default;

    // Keyboard repeat delay 0..3 and repeat speed 0..31.
    virtual bool setKeyboardDelay(int delay) = 0;
    virtual bool setKeyboardSpeed(int speed) = 0;
    virtual bool setScreenSaverTimeout(int seconds) = 0;
    virtual bool setBorderWidth(int width) = 0;

    virtual bool screenSaverActive() = 0;
    virtual void setScreenSaverActive(bool active) = 0;
    // Starts the screen saver now.
    virtual void startScreenSaver() = 0;

    // The display mode with that number (0 upwards); false past the last one.
    virtual bool displayMode(int index, DisplayMode& mode) = 0;
    // Checks whether the mode could be set, without changing anything (a display_result).
    virtual int testDisplayMode(const DisplayMode& mode) = 0;
    // Sets the mode and keeps it for the session (a display_result).
    virtual int applyDisplayMode(const DisplayMode& mode) = 0;

    // Stores the wallpaper values and makes the desktop reload its wallpaper.
    virtual void setWallpaper(const WallpaperValues& values) = 0;

    virtual std::vector<PrinterInfo> printers() = 0;
    // The "driver,port" entry kept for a printer by name; empty when there is none.
    virtual std::string printerDevicesEntry(const std::string& name) = 0;
    // Makes the printer the default: "device,driver,port".
    virtual void setDefaultPrinter(const std::string& deviceLine) = 0;
};

}  // namespace orv
