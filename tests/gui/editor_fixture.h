#pragma once

// What the editor window tests share: the running program's side of an editor (real files and
// message boxes, a fixed clock, the settings, a keyboard hook that counts), finding a named
// control and clicking it the way a user does.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include "activation/keyboard_hooks.h"
#include "gui/forms/editor_context.h"
#include "gui/qt_user_prompt.h"
#include "platform/dialog_files.h"
#include "platform/fake/fake_clock.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv::test {

// The keyboard hook as the editors switch it: `off` counts the editors holding it off.
struct Hooks final : IKeyboardHooks {
    int off = 0;
    void UnHookTheKeyboard() override { ++off; }
    void HookTheKeyboard() override { --off; }
};

struct EditorEnvironment {
    EditorEnvironment() {
        context.env.files = &files;
        context.env.prompt = &prompt;
        context.env.settings = &settings;
        context.env.clock = &clock;
        context.keyboard = &hooks;
    }

    fake::FakeClock clock{LocalTime{2026, 3, 30, 15, 4, 23, 0, 1}};
    TAppSettings settings;
    FileSystemDialogFiles files;
    gui::QtUserPrompt prompt;
    Hooks hooks;
    gui::EditorContext context;
    TMacroRecord buffer;
};

template <typename W>
W* named(QWidget* parent, const char* name) {
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Clicks a button; a check box or radio button on its indicator (its middle may lie beyond its
// text).
inline void clickNamed(QWidget* parent, const char* name) {
    QAbstractButton* b = named<QAbstractButton>(parent, name);
    if (b == nullptr) return;
    const bool indicator = qobject_cast<QRadioButton*>(b) != nullptr || qobject_cast<QCheckBox*>(b) != nullptr;
    QTest::mouseClick(b, Qt::LeftButton, {}, indicator ? QPoint(6, b->height() / 2) : b->rect().center());
}

}  // namespace orv::test
