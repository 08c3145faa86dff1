#include "gui/forms/form_registry.h"

#include "dialogs/date_time_dialog.h"
#include "dialogs/input_dialogs.h"
#include "dialogs/media_dialogs.h"
#include "dialogs/schedule_dialog.h"
#include "dialogs/text_dialogs.h"
#include "dialogs/timing_dialogs.h"
#include "gui/dialogs/command_form.h"
#include "gui/dialogs/command_layouts.h"
#include "gui/forms/date_time_form.h"
#include "gui/forms/schedule_form.h"
#include "gui/forms/search_form.h"
#include "gui/forms/symbol_form.h"
#include "gui/forms/text_insert_form.h"
#include "gui/option_forms.h"

namespace orv::gui {

namespace {

using Factory = std::unique_ptr<ModelForm> (*)(dialogs::DialogModel&, const dialogs::DialogEnv&, QWidget*);

template <typename Form, typename Model>
std::unique_ptr<ModelForm> make(dialogs::DialogModel& model, const dialogs::DialogEnv& env, QWidget* parent) {
    return std::make_unique<Form>(static_cast<Model&>(model), env, parent);
}

struct Entry {
    std::string_view typeName;
    Factory factory;
};

constexpr Entry kForms[] = {
    {"TDoDelay", make<DelayForm, dialogs::TDoDelay>},
    {"TDoSound", make<SoundForm, dialogs::TDoSound>},
    {"TDateOrTime", make<DateOrTimeForm, dialogs::TDateOrTime>},
    {"TDoSearch", make<SearchForm, dialogs::TDoSearch>},
    {"TDoTextInsert", make<TextInsertForm, dialogs::TDoTextInsert>},
    {"TDoSpecial", make<SymbolForm, dialogs::TDoSpecial>},
    {"TDoSchedule", make<ScheduleForm, dialogs::TDoSchedule>},
};

const Entry* find(std::string_view typeName) {
    for (const Entry& e : kForms)
        if (e.typeName == typeName) return &e;
    return nullptr;
}

}  // namespace

std::unique_ptr<ModelForm> createModelForm(dialogs::DialogModel& model, const dialogs::DialogEnv& env, QWidget* parent,
                                           const CommandLists& lists) {
    // A form of its own first, else the form laid out from the dialog's layout table.
    const Entry* e = find(model.typeName());
    return e != nullptr ? e->factory(model, env, parent) : createCommandForm(model, env, parent, lists);
}

bool hasModelForm(std::string_view typeName) { return find(typeName) != nullptr || commandLayout(typeName) != nullptr; }

}  // namespace orv::gui
