#include "gui/forms/editor_context.h"

namespace orv::gui {

CommandLists commandLists(const EditorContext& context) {
    CommandLists lists;
    if (context.nicknames) lists.nicknames = context.nicknames();
    if (context.desktopEntries) lists.runningPrograms = [entries = context.desktopEntries] { return entries(true); };
    return lists;
}

}  // namespace orv::gui
