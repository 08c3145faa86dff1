#pragma once

#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <functional>
#include <vector>

#include "activation/popup_menu.h"

namespace orv::gui {

// The tray icons of the popup menus that asked for one: each shows the menu's picture with its
// nickname as the tooltip. A right click on one hands its macro number and the place of the click
// to `opened`; a left click does nothing. The icons are always replaced as a set.
class MenuTrayIcons final : public QObject {
    Q_OBJECT
public:
    explicit MenuTrayIcons(std::function<void(int macro, QPoint click)> opened, QObject* parent = nullptr);

    // Shows `menus` in place of the icons shown now; when they are the same menus with the same
    // names and pictures the icons stay as they are (no flicker in the tray).
    void show(const std::vector<TrayMenu>& menus);
    void clear();

    const std::vector<TrayMenu>& menus() const { return menus_; }
    QSystemTrayIcon* icon(std::size_t i) const { return icons_[i]; }

private:
    std::function<void(int, QPoint)> opened_;
    std::vector<TrayMenu> menus_;
    // Children of this object: an icon may go while its own click is still being handled.
    std::vector<QSystemTrayIcon*> icons_;
};

}  // namespace orv::gui
