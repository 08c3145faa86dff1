#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStyle>
#include <functional>
#include <optional>
#include <string>

#include "platform/user_prompt.h"
#include "store/app_settings.h"

class QWidget;

namespace orv::gui {

// An icon that draws `text` (a letter or two) on a rounded square of `color`, at whatever size
// and scale it is asked for, greyed when disabled.
QIcon glyphIcon(const QString& text, const QColor& color);

// The freedesktop theme icon `name`, else Qt's standard icon, else the glyph.
QIcon themeIcon(const QString& name, QStyle::StandardPixmap standard);
QIcon themeIcon(const QString& name, const QString& glyph, const QColor& color);

// The icon made of the files `name`-<size>.png in `folder` (null when there are none).
QIcon iconFromFolder(const QString& folder, const QString& name);

// The program's own icon, the popup-menu icon and the icon of a playing macro. The program's icon
// comes from the icons folder it ships with (gui/data_folder.h); without that folder (a broken
// install) a warning names it and the theme's or a drawn icon stands in.
QIcon mainIcon();
QIcon menuIcon();
QIcon runningIcon();
// The tray's icon while a capture records.
QIcon recordingIcon();

// A macro's own picture: its icon file, or the built-in icon it names; a file that cannot be
// read shows the menu icon for a popup menu and the main icon for any other macro.
QIcon macroIcon(const MacroIconRef& ref, bool popupMenu);

// "Load in Icon" over `parent`: the file dialog on the icons folder, then the chosen file made one
// of that folder's icons. The icon name a record keeps, or nothing when the user cancelled or
// was told why not (not an icon file, not copied, not readable as a picture).
std::optional<std::string> loadIcon(QWidget* parent, const std::string& iconsDir, IUserPrompt& prompt);
// What the forms with an icon button call for "Load in Icon" (loadIcon, or a test's stand-in).
using IconChooser = std::function<std::optional<std::string>(QWidget* parent)>;

}  // namespace orv::gui
