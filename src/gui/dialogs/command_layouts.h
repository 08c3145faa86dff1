#pragma once

#include <span>
#include <string_view>

namespace orv::gui {

// How a command dialog's controls are laid out, as a list of items in screen (and Tab) order.
// Every item that shows a field names the model's field; the form copies values in and out.
enum class Ctl {
    Group,     // a framed group, or without a caption a frameless one; `extra` is its number of columns ("2")
    EndGroup,  // closes the open group
    Radio,     // a radio button: `extra` is the choice it stands for
    Check,     // a check box
    Text,      // a caption and an edit field; `extra` "cell": both in one cell of the group's columns
    Password,  // a caption and an edit field that hides what is typed (`extra` as for Text)
    Combo,     // a caption and a drop-down list: `extra` names the list (see CommandForm)
    List,      // a caption and a list: `extra` names the list
    Browse,    // "&Browse..." for the text field `field`: `extra` is the file filter, "folder" for folders
    Label,     // a line of text
    ShowList,  // a button that fills a read-only list below it: `extra` names the list
    Pick,      // a button beside the text field `field` that helps fill it: `extra` says how
               // ("programs": a choice among the running programs; "locator": the mouse locator)
};

struct LayoutItem {
    Ctl ctl;
    std::string_view field;
    std::string_view caption;
    std::string_view extra = {};
    // "field=a|b" (or "field!=a|b"): enabled only while the field's shown value is (is not) one
    // of these; empty: always.
    std::string_view enableWhen = {};
    // The same rule for whether the item is shown at all (modes of one dialog).
    std::string_view showWhen = {};
};

struct FormLayout {
    std::string_view typeName;
    std::span<const LayoutItem> items;
};

// The layout of the command dialog with that form class name, or nullptr.
const FormLayout* commandLayout(std::string_view typeName);
// Every command dialog laid out here, in no particular order.
std::span<const FormLayout> commandLayouts();

}  // namespace orv::gui
