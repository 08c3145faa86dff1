#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace orv::gui {

// The help pages of a help folder as its "contents.txt" lists them: one line per page, in the
// order of the contents, "<file><TAB><keyword>|<keyword>..."; lines starting with "#" are
// comments. A page's title is its first "# " heading.
class HelpIndex {
public:
    struct Page {
        QString file;   // relative to the folder
        QString title;  // the page's first heading
        QStringList keywords;
    };

    // Reads the index of `folder`. Pages that are missing are left out.
    static HelpIndex load(const QString& folder);

    const QString& folder() const { return folder_; }
    const QList<Page>& pages() const { return pages_; }
    // The page for a keyword (compared without "&" mnemonics, case and surrounding blanks), or
    // nullptr.
    const Page* pageFor(const QString& keyword) const;
    // The pages whose text holds every word of `text` (case ignored), in contents order.
    QList<const Page*> search(const QString& text) const;
    // A page's text as stored.
    QString text(const Page& page) const;

    // A caption as keywords are compared: "&" mnemonics removed ("&&" stays one "&"), blanks
    // trimmed, lower case.
    static QString normalise(const QString& keyword);

private:
    QString folder_;
    QList<Page> pages_;
};

}  // namespace orv::gui
