#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStyle>

namespace orv::gui {

// An icon that draws `text` (a letter or two) on a rounded square of `color`, at whatever size
// and scale it is asked for, greyed when disabled.
QIcon glyphIcon(const QString& text, const QColor& color);

// The freedesktop theme icon `name`, else Qt's standard icon, else the glyph.
QIcon themeIcon(const QString& name, QStyle::StandardPixmap standard);
QIcon themeIcon(const QString& name, const QString& glyph, const QColor& color);

// The program's own icon, the popup-menu icon and the icon of a playing macro.
QIcon mainIcon();
QIcon menuIcon();
QIcon runningIcon();

}  // namespace orv::gui
