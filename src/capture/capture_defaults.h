#pragma once

#include "capture/capture_text.h"
#include "store/app_settings.h"

namespace orv::capture {

// The capture settings shown by "Capture Defaults" and, for one capture, by "Capture Macro".
struct CaptureChoices {
    CaptureOptions options;
    bool windowSize = true;
    int speed = 1;  // 1 Actual, 2 Half, 3 Double, 4 Quadruple
    bool global = true;
    bool prompt = true;
};

CaptureChoices choicesFromSettings(const TAppSettings& settings);
void storeChoices(const CaptureChoices& choices, TAppSettings& settings);

// Which option controls can be used. In "Capture Defaults" the mouse box also governs the
// "Position" choice and "clicks only"; in "Capture Macro" those stay usable on their own.
struct OptionEnabling {
    bool screenWindow = true;  // "Sc&reen" and "&Window"
    bool position = true;
    bool clicksOnly = true;
    bool windowSize = true;
    bool doubleAlt = true;
    bool speeds = true;
};

OptionEnabling enablingOf(const CaptureChoices& choices, bool defaultsDialog);

}  // namespace orv::capture
