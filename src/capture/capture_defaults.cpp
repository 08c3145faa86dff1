#include "capture/capture_defaults.h"

namespace orv::capture {

CaptureChoices choicesFromSettings(const TAppSettings& s) {
    CaptureChoices c;
    c.options.keystrokes = s.CaptureKeys;
    c.options.mouse = s.CaptureMouse;
    c.options.clicksOnly = s.CaptureClicksOnly;
    c.options.timing = s.CaptureTime;
    c.options.doubleAlt = s.CaptureDoubleAlt;
    c.options.origin = s.CaptureRelativeTo >= 1 && s.CaptureRelativeTo <= 3
                           ? static_cast<MouseOrigin>(s.CaptureRelativeTo)
                           : MouseOrigin::Screen;
    c.windowSize = s.CaptureWindowSize;
    c.speed = s.CaptureSpeed >= 1 && s.CaptureSpeed <= 4 ? s.CaptureSpeed : 1;
    c.global = s.CaptureGlobal;
    c.prompt = s.CapturePrompt;
    return c;
}

void storeChoices(const CaptureChoices& c, TAppSettings& s) {
    s.CaptureKeys = c.options.keystrokes;
    s.CaptureMouse = c.options.mouse;
    s.CaptureClicksOnly = c.options.clicksOnly;
    s.CaptureTime = c.options.timing;
    s.CaptureDoubleAlt = c.options.doubleAlt;
    s.CaptureRelativeTo = static_cast<int>(c.options.origin);
    s.CaptureWindowSize = c.windowSize;
    s.CaptureSpeed = c.speed;
    s.CaptureGlobal = c.global;
    s.CapturePrompt = c.prompt;
}

OptionEnabling enablingOf(const CaptureChoices& c, bool defaultsDialog) {
    OptionEnabling e;
    const bool mouse = c.options.mouse;
    e.screenWindow = mouse;
    e.position = mouse || !defaultsDialog;
    e.clicksOnly = mouse || !defaultsDialog;
    e.windowSize = mouse && c.options.origin == MouseOrigin::Window;
    e.doubleAlt = c.options.keystrokes;
    e.speeds = c.options.timing;
    return e;
}

}  // namespace orv::capture
