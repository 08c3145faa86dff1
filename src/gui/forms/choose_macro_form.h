#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "activation/popup_menu.h"

class QListWidget;

namespace orv::gui {

// "Choose A Macro": the window a popup menu of macros shows, stay-on-top, centred or at the tray
// icon it was opened from. Icon mode shows a button per entry; the list modes show one line per
// entry with its key in a grey box, in one list or two side by side. A click on a button, a
// double click or Enter on a line, or the key of an entry ("0"-"9", "A"-"Z") chooses; "&Cancel"
// and Escape close without a choice.
class TDoAMenu final : public QDialog {
    Q_OBJECT
public:
    TDoAMenu(ChooserModel model, std::optional<MenuAnchor> anchor, QWidget* parent = nullptr);

    // The chosen macro's number, or -1.
    int chosen() const { return chosen_; }
    // Shortens the lists, which then scroll, when the window with its frame would be taller
    // than `available` (done on showing, for the screen it shows on).
    void fitHeight(int available);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    QWidget* buildIcons();
    QWidget* buildLists();
    QListWidget* addList(int first, int count, int height, int width);
    // Chooses entry `index`; true when it exists.
    bool choose(int index);
    bool chooseByKey(const QString& text);

    ChooserModel model_;
    std::optional<MenuAnchor> anchor_;
    std::vector<QListWidget*> lists_;
    int chosen_ = -1;
};

}  // namespace orv::gui
