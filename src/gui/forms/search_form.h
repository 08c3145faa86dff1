#pragma once

#include "dialogs/text_dialogs.h"
#include "gui/model_form.h"

namespace orv::gui {

// "Search and Replace" / "Find" (TDoSearch): the text to find and, when replacing, its
// replacement. "&Ok" with nothing to find does nothing.
class SearchForm final : public ModelForm {
    Q_OBJECT
public:
    SearchForm(dialogs::TDoSearch& model, const dialogs::DialogEnv& env, QWidget* parent = nullptr);
};

}  // namespace orv::gui
