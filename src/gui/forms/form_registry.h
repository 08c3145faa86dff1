#pragma once

#include <memory>
#include <string_view>

#include "dialogs/dialog_model.h"
#include "gui/dialogs/command_form.h"

class QWidget;

namespace orv::gui {

class ModelForm;

// The form of a model, by its form class name; nullptr for a model that has no form here yet.
// `lists` are the caller's lists for the forms laid out from a layout table.
std::unique_ptr<ModelForm> createModelForm(dialogs::DialogModel& model, const dialogs::DialogEnv& env, QWidget* parent,
                                           const CommandLists& lists = {});
// Whether the model of that form class has a form.
bool hasModelForm(std::string_view typeName);

}  // namespace orv::gui
