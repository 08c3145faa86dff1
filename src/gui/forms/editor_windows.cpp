#include "gui/forms/editor_windows.h"

#include <QApplication>

#include "gui/forms/add_macro_form.h"
#include "gui/forms/build_menu_form.h"
#include "gui/forms/direct_editor_form.h"
#include "gui/forms/scripting_editor.h"

namespace orv::gui {

BuilderResult EditorWindows::showAddMacro(editors::AddMacroModel& model, TMacroRecord& buffer) {
    TAddNewHotKey::Builders builders;
    builders.run = [this, &buffer](const editors::BuilderStart& start) {
        if (start.builder == editors::Builder::PopupMenu) return showBuildMenu(buffer, start.hotKeyLabel, true);
        if (start.builder == editors::Builder::Capture) return startCapture(buffer, start);
        const editors::EditorStart editor{false, start.kind, start.exclusiveKey, start.hotKeyLabel};
        if (start.builder == editors::Builder::ScriptingEditor)
            return BuilderResult{showScriptingEditor(buffer, editor), false};
        return BuilderResult{showDirectEditor(buffer, editor), false};
    };
    TAddNewHotKey dialog(model, buffer, context_(), std::move(builders), parent_);
    dialog.exec();
    return dialog.result();
}

bool EditorWindows::showDirectEditor(TMacroRecord& buffer, const editors::EditorStart& start) {
    const EditorContext context = context_();
    editors::DirectEditorModel model(buffer, start, context.env.clock->now(), context.iconsDir);
    TModHotKeys editor(model, context, parent_);
    editor.exec();
    return editor.saved();
}

bool EditorWindows::showScriptingEditor(TMacroRecord& buffer, const editors::EditorStart& start) {
    const EditorContext context = context_();
    editors::DirectEditorModel model(buffer, start, context.env.clock->now(), context.iconsDir);
    TDoScripting editor(model, context, parent_);
    editor.exec();
    return editor.saved();
}

BuilderResult EditorWindows::startCapture(const TMacroRecord& buffer, const editors::BuilderStart& start) {
    if (!hooks_.captureMacro) return {};
    capture::CaptureTarget target;
    target.record = buffer;
    target.exclusive = start.exclusiveKey;
    target.lockHeld = true;
    // "Capture Macro" comes up over Add Macro, which is still open.
    QWidget* over = QApplication::activeModalWidget();
    return BuilderResult{.handedOver = hooks_.captureMacro(target, over != nullptr ? over : parent_)};
}

BuilderResult EditorWindows::showBuildMenu(TMacroRecord& buffer, const std::string& label, bool newMenu) {
    if (hooks_.macroFile == nullptr) return {};
    const EditorContext context = context_();
    IUserPrompt& prompt = *context.env.prompt;
    const std::string& iconsDir = context.iconsDir;
    const BuildMenuResult r = gui::showBuildMenu(
        buffer, newMenu, label, *hooks_.macroFile, *context.env.settings, iconsDir,
        [&](QWidget* over) { return loadIcon(over, iconsDir, prompt); }, prompt, parent_);
    return BuilderResult{.saved = r.saved, .trayMenusChanged = r.trayMenusChanged};
}

}  // namespace orv::gui
