#include "gui/forms/editor_windows.h"

#include "gui/forms/add_macro_form.h"
#include "gui/forms/direct_editor_form.h"
#include "gui/qt_user_prompt.h"

namespace orv::gui {

namespace {

constexpr const char* kMenusNotAvailable = "Building popup menus is not available in this version of Orvanta yet.";
constexpr const char* kCaptureNotAvailable = "Capturing a macro is not available in this version of Orvanta yet.";

}  // namespace

std::string EditorWindows::missingBuilder(editors::Builder builder) {
    switch (builder) {
        case editors::Builder::Capture:
            return kCaptureNotAvailable;
        case editors::Builder::PopupMenu:
            return kMenusNotAvailable;
        default:
            return {};
    }
}

BuilderResult EditorWindows::showAddMacro(editors::AddMacroModel& model, TMacroRecord& buffer) {
    TAddNewHotKey::Builders builders;
    // The Scripting Editor is not there yet: its choice opens the direct editor too.
    builders.run = [this, &buffer](const editors::BuilderStart& start) {
        if (start.builder == editors::Builder::PopupMenu) return showBuildMenu(buffer, start.hotKeyLabel, true);
        return BuilderResult{showDirectEditor(buffer, {false, start.kind, start.exclusiveKey, start.hotKeyLabel}),
                             false};
    };
    builders.missing = &EditorWindows::missingBuilder;
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

BuilderResult EditorWindows::showBuildMenu(TMacroRecord&, const std::string&, bool) {
    QtUserPrompt(parent_).messageBox("Notice", kMenusNotAvailable, PromptButtons::Ok);
    return {};
}

}  // namespace orv::gui
