#include "gui/menu_tray_icons.h"

#include <QCursor>

#include "gui/icons.h"
#include "gui/qt_text.h"

namespace orv::gui {

MenuTrayIcons::MenuTrayIcons(std::function<void(int, QPoint)> opened, QObject* parent)
    : QObject(parent), opened_(std::move(opened)) {}

void MenuTrayIcons::show(const std::vector<TrayMenu>& menus) {
    if (menus == menus_ && icons_.size() == menus.size()) return;
    clear();
    menus_ = menus;
    for (const TrayMenu& menu : menus_) {
        auto* icon = new QSystemTrayIcon(macroIcon(menu.icon, true), this);
        icon->setToolTip(fromCp1252(menu.nickName));
        const int j = menu.macro;
        connect(icon, &QSystemTrayIcon::activated, this, [this, j](QSystemTrayIcon::ActivationReason reason) {
            if (reason != QSystemTrayIcon::Context) return;
            // The click's place decides where the menu opens: above the icon. The menu runs once
            // the click has been handled, so the icon may be replaced meanwhile.
            const QPoint click = QCursor::pos();
            QMetaObject::invokeMethod(
                this, [this, j, click] { opened_(j, click); }, Qt::QueuedConnection);
        });
        icon->show();
        icons_.push_back(icon);
    }
}

void MenuTrayIcons::clear() {
    for (QSystemTrayIcon* icon : icons_) {
        icon->hide();
        icon->deleteLater();
    }
    icons_.clear();
    menus_.clear();
}

}  // namespace orv::gui
