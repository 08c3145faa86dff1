#pragma once

#include <QObject>
#include <functional>

#include "capture/capture_request.h"
#include "gui/forms/editor_context.h"
#include "mainwin/macro_editing.h"

class QWidget;

namespace orv::gui {

// The editor windows as the editing commands open them: Add Macro and the builders it hands over
// to (the direct editor, a capture, the popup-menu builder).
class EditorWindows final : public IMacroEditorsHost {
public:
    struct Hooks {
        // The characters typed so far no longer count towards a ShortKey.
        std::function<void()> clearShortKeyBuffer;
        // The records changed: the window brings everything up to date.
        std::function<void(const MacroChange&)> macrosChanged;
        // Starts a capture into a new macro over `parent`; true when it runs and so took the
        // record and the shared-file lock.
        std::function<bool(const capture::CaptureTarget&, QWidget* parent)> captureMacro;
        // The open macro file: the popup-menu builder lists its macros.
        const IMacroFile* macroFile = nullptr;
    };

    EditorWindows(QWidget* parent, std::function<EditorContext()> context, Hooks hooks)
        : parent_(parent), context_(std::move(context)), hooks_(std::move(hooks)) {}

    BuilderResult showAddMacro(editors::AddMacroModel& model, TMacroRecord& buffer) override;
    bool showDirectEditor(TMacroRecord& buffer, const editors::EditorStart& start) override;
    bool showScriptingEditor(TMacroRecord& buffer, const editors::EditorStart& start) override;
    BuilderResult showBuildMenu(TMacroRecord& buffer, const std::string& label, bool newMenu) override;
    void clearShortKeyBuffer() override {
        if (hooks_.clearShortKeyBuffer) hooks_.clearShortKeyBuffer();
    }
    void macrosChanged(const MacroChange& change) override {
        if (hooks_.macrosChanged) hooks_.macrosChanged(change);
    }

private:
    // Add Macro's capture of the new macro whose activation is in `buffer`.
    BuilderResult startCapture(const TMacroRecord& buffer, const editors::BuilderStart& start);

    QWidget* parent_;
    std::function<EditorContext()> context_;
    Hooks hooks_;
};

}  // namespace orv::gui
