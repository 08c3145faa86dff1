#pragma once

#include <QDialog>
#include <array>
#include <QWidget>
#include <functional>

#include "capture/capture_defaults.h"

class QCheckBox;
class QRadioButton;

namespace orv::gui {

// The capture options shared by "Capture Defaults" and "Capture Macro": keystrokes and the
// double Alt, the mouse and where its positions are measured from, clicks only, the window
// size, timing with its four speeds, and the scope. Controls follow the option they depend on.
class CaptureOptionsBox final : public QWidget {
    Q_OBJECT
public:
    CaptureOptionsBox(const capture::CaptureChoices& choices, bool defaultsDialog, QWidget* parent = nullptr);

    capture::CaptureChoices choices() const;
    // "&Global" cannot be chosen (a Global macro already has the hotkey): "&Program" is.
    void refuseGlobal();

private:
    QWidget* keysAndMouse(const capture::CaptureChoices& c);
    QWidget* timingAndScope(const capture::CaptureChoices& c);
    void updateEnabling();

    bool defaultsDialog_;
    capture::CaptureChoices initial_;
    QCheckBox* keys_ = nullptr;
    QCheckBox* doubleAlt_ = nullptr;
    QCheckBox* mouse_ = nullptr;
    QRadioButton* screen_ = nullptr;
    QRadioButton* window_ = nullptr;
    QRadioButton* position_ = nullptr;
    QCheckBox* clicksOnly_ = nullptr;
    QCheckBox* windowSize_ = nullptr;
    QCheckBox* timing_ = nullptr;
    std::array<QRadioButton*, 4> speeds_{};
    QRadioButton* global_ = nullptr;
    QRadioButton* program_ = nullptr;
};

// "Capture Defaults": the options every capture starts with, plus "P&rompt on Capture". "&Ok"
// stores them all in the settings and saves the configuration file through `save`.
class TCaptureDefaults final : public QDialog {
    Q_OBJECT
public:
    TCaptureDefaults(TAppSettings& settings, std::function<void()> save, QWidget* parent = nullptr);

private:
    void okClick();

    TAppSettings& settings_;
    std::function<void()> save_;
    CaptureOptionsBox* options_ = nullptr;
    QCheckBox* prompt_ = nullptr;
};

}  // namespace orv::gui
