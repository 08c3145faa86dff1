// Every command form and editor window, in each of its modes, as a keyboard and screen-reader
// user meets it: no clashing or missing access keys, a name for every control, Tab in reading
// order, and room on a 1280x800 screen at scale 2.
#include <gtest/gtest.h>

#include <QTest>

#include "dialogs/dialog_env.h"
#include "dialogs/dialog_registry.h"
#include "dialogs/window_dialogs.h"
#include "editors/direct_editor.h"
#include "gui/dialogs/scripting_wizard_form.h"
#include "gui/form_checks.h"
#include "gui/forms/direct_editor_form.h"
#include "gui/forms/form_registry.h"
#include "gui/forms/scripting_editor.h"
#include "gui/forms/spec_wind_form.h"
#include "gui/model_form.h"
#include "platform/fake/fake_clock.h"

namespace orv::gui {
namespace {

std::string joined(const std::vector<std::string>& problems) {
    std::string text;
    for (const std::string& p : problems) text += "\n  " + p;
    return text;
}

void expectUsable(QWidget& window, const std::string& name, bool readingOrderTabs = true) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window)) << name;
    const std::vector<std::string> problems = test::keyboardProblems(window, readingOrderTabs);
    EXPECT_TRUE(problems.empty()) << name << ":" << joined(problems);
}

// Forms whose parts stand side by side and are gone through one column after the other.
bool columnWise(std::string_view form) { return form == "TDoSchedule" || form == "TDoNetConn"; }

TEST(FormKeyboard, EveryCommandFormInEachMode) {
    orv::test::DialogFixture fx;
    fx.desktop.shortcuts = {{"Editor.lnk", "/usr/bin/editor"}};
    const CommandLists lists{{"Greeting"}, {}};
    for (const dialogs::DialogInfo& d : dialogs::dialogRegistry()) {
        if (!hasModelForm(d.name)) continue;
        const std::unique_ptr<dialogs::DialogModel> model = d.make();
        model->show(fx.env);
        const std::unique_ptr<ModelForm> form = createModelForm(*model, fx.env, nullptr, lists);
        expectUsable(*form, std::string(d.name), !columnWise(d.name));
    }
    for (const char* mode : {"window", "program"}) {
        dialogs::TDoSpecWind model;
        model.set("mode", mode);
        model.show(fx.env);
        SpecWindForm form(model, fx.env, {"Terminal"});
        expectUsable(form, std::string("TDoSpecWind ") + mode);
    }
    TDoWizard wizard([](int) { return false; }, fx.prompt);
    expectUsable(wizard, "TDoWizard", false);
}

// The editor windows. The Scripting Editor goes column by column (the lists, then the buttons beside them), not line by
// line.
TEST(FormKeyboard, EditorWindows) {
    orv::test::DialogFixture fx;
    EditorContext context;
    context.env = fx.env;
    TMacroRecord buffer;
    buffer.Scope = kScopeGlobal;
    buffer.MacroText = "<BEEP>";
    for (const editors::EditorKind kind : {editors::EditorKind::HotKey, editors::EditorKind::ShortKey,
                                           editors::EditorKind::Timed, editors::EditorKind::WindowTitle}) {
        editors::DirectEditorModel model(buffer, {true, kind, false, "Ctrl+H"}, fx.clock.now(), "");
        TDoScripting scripting(model, context);
        expectUsable(scripting, "TDoScripting", false);
        // The direct editor's key buttons and menus share their letters; it must fit, though.
        TModHotKeys direct(model, context);
        direct.show();
        EXPECT_EQ(test::sizeProblems(direct), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace orv::gui
