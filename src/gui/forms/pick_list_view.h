#pragma once

#include <QTreeWidget>

class QPushButton;

#include "transfer/pick_list.h"

namespace orv::gui {

// The macros of an import or export list in the macro list's three columns. The rows the user
// selects (click, Ctrl+click, Shift+arrows, Ctrl+A) are the rows picked in the list's model.
class PickListView final : public QTreeWidget {
    Q_OBJECT
public:
    PickListView(PickList& list, QWidget* parent = nullptr);

    // Shows the model's rows and picks anew.
    void reload();
    // Shows the model's picks (after the model changed them).
    void showPicks();

    // "Select &All" and "C&lear" over `parent`, picking every row of the list or none.
    struct PickButtons {
        QPushButton* selectAll = nullptr;
        QPushButton* clear = nullptr;
    };
    PickButtons pickButtons(QWidget* parent);

private:
    void takePicks();

    PickList& list_;
};

}  // namespace orv::gui
