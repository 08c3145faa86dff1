#include "platform/fake/trace_quoted.h"
#include "platform/fake/fake_desktop_settings.h"

#include <string>

namespace orv::fake {

std::string displayModeText(const DisplayMode& m) {
    return std::to_string(m.width) + "x" + std::to_string(m.height) + "x" + std::to_string(m.bitsPerPixel) + "@" +
           std::to_string(m.refreshHz);
}

bool FakeDesktopSettings::setKeyboardDelay(int delay) {
    keyboardDelay = delay;
    record("keyboard delay " + std::to_string(delay));
    return true;
}

bool FakeDesktopSettings::setKeyboardSpeed(int speed) {
    keyboardSpeed = speed;
    record("keyboard speed " + std::to_string(speed));
    return true;
}

bool FakeDesktopSettings::setScreenSaverTimeout(int seconds) {
    screenSaverTimeout = seconds;
    record("screensaver timeout " + std::to_string(seconds));
    return true;
}

bool FakeDesktopSettings::setBorderWidth(int width) {
    borderWidth = width;
    record("border width " + std::to_string(width));
    return true;
}

bool FakeDesktopSettings::screenSaverActive() {
    record(std::string("screensaver active -> ") + (saverActive_ ? "yes" : "no"));
    return saverActive_;
}

void FakeDesktopSettings::setScreenSaverActive(bool active) {
    saverActive_ = active;
    record(std::string("screensaver set-active ") + (active ? "yes" : "no"));
}

void FakeDesktopSettings::startScreenSaver() {
    saverStarted = true;
    record("screensaver start");
}

bool FakeDesktopSettings::displayMode(int index, DisplayMode& mode) {
    if (index < 0 || static_cast<std::size_t>(index) >= modes_.size()) {
        record("display mode " + std::to_string(index) + " -> none");
        return false;
    }
    mode = modes_[static_cast<std::size_t>(index)];
    record("display mode " + std::to_string(index) + " -> " + displayModeText(mode));
    return true;
}

int FakeDesktopSettings::testDisplayMode(const DisplayMode& mode) {
    record("display test " + displayModeText(mode) + " -> " + std::to_string(testResult_));
    return testResult_;
}

int FakeDesktopSettings::applyDisplayMode(const DisplayMode& mode) {
    if (applyResult_ == display_result::kSuccessful || applyResult_ == display_result::kRestart) currentMode = mode;
    record("display apply " + displayModeText(mode) + " -> " + std::to_string(applyResult_));
    return applyResult_;
}

void FakeDesktopSettings::setWallpaper(const WallpaperValues& v) {
    wallpaper = v;
    record("wallpaper " + traceQuoted(v.file) + " tile=" + v.tile + " style=" + v.style + " x=" + v.originX +
           " y=" + v.originY);
}

std::vector<PrinterInfo> FakeDesktopSettings::printers() {
    record("printer list -> " + std::to_string(printers_.size()));
    return printers_;
}

std::string FakeDesktopSettings::printerDevicesEntry(const std::string& name) {
    std::string entry;
    for (const auto& [printer, value] : devices_)
        if (printer == name) entry = value;
    record("printer devices " + traceQuoted(name) + " -> " + traceQuoted(entry));
    return entry;
}

void FakeDesktopSettings::setDefaultPrinter(const std::string& deviceLine) {
    defaultPrinter = deviceLine;
    record("printer default " + traceQuoted(deviceLine));
}

}  // namespace orv::fake
