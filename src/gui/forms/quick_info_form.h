#pragma once

#include <QDialog>
#include <QIcon>

#include "mainwin/list_dialogs.h"

namespace orv::gui {

// "Quick Info": the read-only summary of one macro. `icon` is the picture of its icon name (the
// main icon when its file cannot be read), shown at 16 x 16.
class TQuickInfo final : public QDialog {
    Q_OBJECT
public:
    TQuickInfo(const QuickInfoText& info, const QIcon& icon, QWidget* parent = nullptr);
};

}  // namespace orv::gui
