#include "gui/wizards/quick_wizard_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "dialogs/dialog_env.h"
#include "platform/hotkey_codes.h"

namespace orv::gui {
namespace {

template <typename W>
W* child(QWidget& parent, const QString& name) {
    W* w = nullptr;
    for (W* c : parent.findChildren<W*>(name))
        if (c->isVisibleTo(&parent)) w = c;
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// Drives a wizard form by keyboard and mouse as a user would.
struct WizardDriver {
    TQuickWiz& form;

    void next() { QTest::mouseClick(child<QPushButton>(form, QStringLiteral("NextButton")), Qt::LeftButton); }
    void back() { QTest::mouseClick(child<QPushButton>(form, QStringLiteral("BackButton")), Qt::LeftButton); }
    void choose(const char* field, int choice) {
        child<QRadioButton>(form, QString::fromLatin1(field) + QStringLiteral("_") + QString::number(choice))->click();
    }
    void type(const char* field, const char* text) {
        QWidget* w = child<QWidget>(form, QString::fromLatin1(field));
        w->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->clear();
        QTest::keyClicks(w, QString::fromLatin1(text));
    }
    void select(const char* field, const QString& text) {
        auto* list = child<QListWidget>(form, QString::fromLatin1(field));
        const auto items = list->findItems(text, Qt::MatchStartsWith);
        ASSERT_FALSE(items.isEmpty()) << text.toStdString();
        items.front()->setSelected(true);
        list->setCurrentItem(items.front(), QItemSelectionModel::Select);
    }
};

struct QuickWizardForm : ::testing::Test {
    test::DialogFixture fx;
    wiz::WizardFile file;
};

TEST_F(QuickWizardForm, TypeTextWizardMakesAShortKeyMacro) {
    TQuickWiz form(1, file, fx.env, {});
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quick Wizard: Type Text and Keystrokes"));
    WizardDriver d{form};
    EXPECT_FALSE(child<QPushButton>(form, QStringLiteral("BackButton"))->isEnabled());
    d.next();
    d.next();  // no text yet
    ASSERT_EQ(fx.prompt.shown().size(), 1u);
    EXPECT_EQ(fx.prompt.shown()[0].text, "No text has been entered.");
    EXPECT_EQ(form.focusWidget(), form.control("typeText"));
    d.type("typeText", "Dear Sir");
    d.next();
    d.choose("activation", 1);
    d.next();
    d.type("shortkey", "dsir");
    d.next();
    EXPECT_EQ(form.flow().screen(), 7);
    d.next();  // all programs; 8, 37 and 9 do not apply
    EXPECT_EQ(form.flow().screen(), 10);
    EXPECT_EQ(child<QPushButton>(form, QStringLiteral("NextButton"))->text(), QStringLiteral("&Finish"));
    d.back();
    EXPECT_EQ(form.flow().screen(), 7);
    d.next();
    d.type("nickname", "Greeting");
    d.next();
    ASSERT_EQ(form.result(), QDialog::Accepted);
    const TMacroRecord& r = *form.flow().result().record;
    EXPECT_EQ(r.MacroText, "Dear Sir");
    EXPECT_EQ(r.ShortKeyText, "dsir");
    EXPECT_EQ(r.HotKeyCode, kCodeShortKey);
    EXPECT_EQ(r.NickName, "Greeting");
}

TEST_F(QuickWizardForm, HotKeyFieldShowsOnlyTheChosenHotKey) {
    struct : IHotkeyPickerHost {
        void SetSecWind(std::int32_t, bool) override {}
    } host;
    WizardListSources lists;
    lists.picker = &host;
    TQuickWiz form(1, file, fx.env, lists);
    form.show();
    WizardDriver d{form};
    d.next();
    d.type("typeText", "x");
    d.next();
    d.next();  // a hot key
    auto* field = child<QLineEdit>(form, QStringLiteral("HotKeyEntry"));
    EXPECT_EQ(form.focusWidget(), field);
    EXPECT_EQ(field->text(), QString());
    d.select("hotkey", QStringLiteral("Ctrl+M  ("));
    EXPECT_EQ(field->text(), QStringLiteral("Ctrl+M"));
}

TEST_F(QuickWizardForm, MoveWindowWizardRefusesABadPositionAndFinishes) {
    fx.settings.BypassWizardScreen = true;
    TQuickWiz form(20, file, fx.env, {});
    form.show();
    WizardDriver d{form};
    EXPECT_EQ(form.flow().screen(), 35);
    d.back();
    EXPECT_TRUE(child<QCheckBox>(form, QStringLiteral("Bypass"))->isChecked());
    child<QCheckBox>(form, QStringLiteral("Bypass"))->click();
    EXPECT_FALSE(fx.settings.BypassWizardScreen);
    d.next();
    d.next();  // reposition the top-most window: no title screen
    EXPECT_EQ(form.flow().screen(), 36);
    d.type("first", "20");
    d.type("second", "ten");
    d.next();
    ASSERT_EQ(fx.prompt.shown().size(), 1u);
    EXPECT_EQ(fx.prompt.shown()[0].text, "Invalid left position specified. Please correct.");
    EXPECT_EQ(form.focusWidget(), form.control("second"));
    d.type("second", "10");
    d.next();
    d.choose("activation", 3);
    d.next();
    EXPECT_EQ(form.flow().screen(), 10);
    d.type("nickname", "Move it");
    d.next();
    ASSERT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.flow().result().record->MacroText, "<WPOS:0010,0020\"CURRENT\">");
    EXPECT_EQ(form.flow().result().record->HotKeyCode, kCodeNone);
}

TEST_F(QuickWizardForm, PopupMenuWizardStoresTheChosenMacros) {
    for (const char* nick : {"alpha", "beta", "gamma"}) {
        TMacroRecord r;
        r.NickName = nick;
        r.Scope = kScopeGlobal;
        r.HotKeyCode = static_cast<std::int16_t>(file.macros.size() + 1);
        file.macros.push_back(r);
    }
    WizardListSources lists;
    lists.nickNames = {"alpha", "beta", "gamma"};
    TQuickWiz form(25, file, fx.env, lists);
    form.show();
    WizardDriver d{form};
    d.next();
    d.select("menuMacros", QStringLiteral("alpha"));
    d.select("menuMacros", QStringLiteral("gamma"));
    d.next();
    d.choose("menuShows", 2);
    d.next();
    d.next();  // shown in the tray
    EXPECT_EQ(form.flow().screen(), 3);
    d.select("hotkey", QStringLiteral("Ctrl+M  ("));
    d.next();
    d.type("nickname", "Menu");
    d.next();
    ASSERT_EQ(form.result(), QDialog::Accepted);
    const TMacroRecord& r = *form.flow().result().record;
    EXPECT_EQ(r.MenuItems, (std::vector<std::int16_t>{1, 3}));
    EXPECT_EQ(r.ShortKeyText, "Y30");
    EXPECT_EQ(r.Scope, kScopePopupMenu);
    EXPECT_EQ(hotKeyName(r.HotKeyCode), "Ctrl+M");
    EXPECT_TRUE(form.flow().result().rebuildTrayMenus);
}

}  // namespace
}  // namespace orv::gui
