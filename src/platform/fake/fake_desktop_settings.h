#pragma once

#include <optional>
#include <vector>

#include "platform/desktop_settings.h"
#include "platform/fake/transcript.h"

namespace orv::fake {

// Scripted session settings. Lines: `keyboard delay 2`, `keyboard speed 31`,
// `screensaver timeout 300`, `border width 3`, `screensaver active -> yes`,
// `screensaver set-active no`, `screensaver start`, `display mode 0 -> 1024x768x32@60`
// (or `-> none`), `display test 1024x768x32@60 -> 0`, `display apply 1024x768x32@60 -> 0`,
// `wallpaper "file" tile=1 style=0 x=0 y=0`, `printer list -> 2`,
// `printer devices "name" -> "driver,port"`, `printer default "device,driver,port"`.
class FakeDesktopSettings final : public IDesktopSettings, public Recorder {
public:
    using Recorder::Recorder;

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

    void setDisplayModes(std::vector<DisplayMode> modes) { modes_ = std::move(modes); }
    void setDisplayResults(int test, int apply) {
        testResult_ = test;
        applyResult_ = apply;
    }
    void setPrinters(std::vector<PrinterInfo> printers) { printers_ = std::move(printers); }
    void setDevicesEntry(const std::string& name, const std::string& entry) { devices_.push_back({name, entry}); }
    void setSaverActive(bool active) { saverActive_ = active; }

    // State as the calls left it.
    int keyboardDelay = -1;
    int keyboardSpeed = -1;
    int screenSaverTimeout = -1;
    int borderWidth = -1;
    bool saverStarted = false;
    std::optional<DisplayMode> currentMode;
    std::optional<WallpaperValues> wallpaper;
    std::string defaultPrinter;
    bool saverActive() const { return saverActive_; }

private:
    std::vector<DisplayMode> modes_;
    int testResult_ = 0;
    int applyResult_ = 0;
    std::vector<PrinterInfo> printers_;
    std::vector<std::pair<std::string, std::string>> devices_;
    bool saverActive_ = true;
};

std::string displayModeText(const DisplayMode& mode);

}  // namespace orv::fake
