#pragma once

#include <QDialog>
#include <array>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "capture/capture_request.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTreeWidget;

namespace orv {
class IHotkeyPickerHost;
class IResidentActions;
class TActivationTable;
struct TMacroRecord;
}  // namespace orv

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

using capture::CaptureMacroChoice;
using capture::CaptureMacroRequest;

// "Capture Macro": the options of one capture, the nickname and the program to start capturing
// in ("***Last Active Window***" first). "&Start Capture" accepts.
class TCaptureKeys final : public QDialog {
    Q_OBJECT
public:
    TCaptureKeys(const CaptureMacroRequest& request, const TAppSettings& defaults, QWidget* parent = nullptr);

    CaptureMacroChoice choice() const;

private:
    CaptureOptionsBox* options_ = nullptr;
    QLineEdit* nickname_ = nullptr;
    QListWidget* windows_ = nullptr;
};

// "Capture Macro" for `target`, with the options from `defaults`: "&Start Capture" starts the
// capture through `resident`; closed otherwise, nothing starts. True when the capture runs.
bool runCaptureMacro(IResidentActions& resident, const capture::CaptureTarget& target, const TAppSettings& defaults,
                     QWidget* parent);

class HotkeyPickerField;

// "Capture Complete", after a capture started with the hot key: how the new macro is started (a
// hot key from the list of all 721 with how many macros use each, a ShortKey, or none yet), its
// nickname and its scope. "&Ok" checks the choice and writes it into the record; a reserved hot
// key is asked about first. Without a picker host the hot key is chosen from the list only.
class TCapComplete final : public QDialog {
    Q_OBJECT
public:
    TCapComplete(TMacroRecord& record, const TActivationTable& table, bool global, std::string foregroundProgram,
                 IHotkeyPickerHost* pickerHost, QWidget* parent = nullptr);

private:
    QWidget* typeBox();
    void fillHotKeys(const TActivationTable& table);
    void showType();
    void okClick();

    TMacroRecord& record_;
    const TActivationTable& table_;
    std::string foregroundProgram_;
    QRadioButton* hotKeys_ = nullptr;
    QRadioButton* shortKeys_ = nullptr;
    QRadioButton* none_ = nullptr;
    QWidget* hotKeyPage_ = nullptr;
    HotkeyPickerField* picker_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QWidget* shortKeyPage_ = nullptr;
    QLineEdit* shortKey_ = nullptr;
    QLineEdit* nickname_ = nullptr;
    QRadioButton* global_ = nullptr;
    QRadioButton* program_ = nullptr;
};

}  // namespace orv::gui
