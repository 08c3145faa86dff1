#pragma once

#include <QWidget>

#include "gui/help_index.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;

namespace orv::gui {

// The help window: a search field, the contents list and the page. Pages link to each other;
// "&Back" returns to the page shown before.
class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);

    // Shows the page for `keyword` (the contents for an empty one). False when no page has the
    // keyword: the contents page is shown with a note saying so.
    bool showKeyword(const QString& keyword);
    // The file of the page shown, relative to the help folder.
    QString currentPage() const;
    const HelpIndex& index() const { return index_; }

private:
    void showPage(const HelpIndex::Page& page);
    void filter(const QString& text);
    void openFirstHit();
    void pageChanged();

    HelpIndex index_;
    QLineEdit* search_ = nullptr;
    QListWidget* contents_ = nullptr;
    QTextBrowser* page_ = nullptr;
    QLabel* note_ = nullptr;
};

}  // namespace orv::gui
