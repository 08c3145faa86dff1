#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace orv::gui {

// The folder the help pages are read from: $ORVANTA_HELP_DIR when set, else "share/orvanta/help"
// found beside the program (installed: <prefix>/bin/../share/orvanta/help; build tree: the build
// folder's share/orvanta/help, see gui/data_folder.h). Empty when there is none.
QString helpFolder();

// What the user is told when the help pages are missing (a broken install): where they were
// looked for and how to get them back.
QString missingHelpMessage();

// Opens the help window at the page for `keyword`: a window's caption (its "&" mnemonics are
// ignored, as are case and surrounding blanks) or a topic; an empty keyword opens the contents.
// The window belongs to the window of `from`, so that it can be used while a modal dialog is
// open; calling again reuses it. Without help pages it shows missingHelpMessage() instead.
void showHelp(QWidget* from, const QString& keyword = {});

// A "&Help" button for `form` that opens the help at `keyword`; F1 anywhere in the form does the
// same.
QPushButton* helpButton(QWidget* form, const QString& keyword);

// The project's home page, and opening it in the user's browser (through xdg-open, without
// waiting for it).
inline constexpr const char* kHomePageUrl = "https://orvanta.example.org/";
void openHomePage();
// Any web address the same way; one without a scheme is taken as "http://".
void openWebPage(const QString& address);

}  // namespace orv::gui
