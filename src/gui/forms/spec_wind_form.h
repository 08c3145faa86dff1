#pragma once

#include <string>
#include <vector>

#include "dialogs/window_dialogs.h"
#include "gui/model_form.h"

class QListWidget;

namespace orv::gui {

// "Set Title" / "Set Program" (TDoSpecWind): the window title or program name a macro's scope
// names, with the list of the desktop's windows or running programs, and whether the macro runs
// only while that window is on top. A double click or Enter on an entry takes it into the field.
class SpecWindForm final : public ModelForm {
    Q_OBJECT
public:
    // `entries`: the titles of the open windows, or the names of the running programs.
    SpecWindForm(dialogs::TDoSpecWind& model, const dialogs::DialogEnv& env, const std::vector<std::string>& entries,
                 QWidget* parent = nullptr);
    QListWidget* entries() const { return list_; }

private:
    QListWidget* list_ = nullptr;
};

}  // namespace orv::gui
