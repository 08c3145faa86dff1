#include "gui/help_index.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace orv::gui {

namespace {

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(file.readAll());
}

QString titleOf(const QString& text) {
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("# "))) return line.mid(2).trimmed();
    return {};
}

}  // namespace

QString HelpIndex::normalise(const QString& keyword) {
    QString out;
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        if (keyword[i] != QLatin1Char('&')) {
            out += keyword[i];
        } else if (i + 1 < keyword.size() && keyword[i + 1] == QLatin1Char('&')) {
            out += QLatin1Char('&');
            ++i;
        }
    }
    return out.trimmed().toLower();
}

HelpIndex HelpIndex::load(const QString& folder) {
    HelpIndex index;
    index.folder_ = folder;
    const QString contents = readText(QDir(folder).filePath(QStringLiteral("contents.txt")));
    for (const QString& line : contents.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList parts = line.split(QLatin1Char('\t'));
        Page page;
        page.file = parts[0].trimmed();
        const QString text = readText(QDir(folder).filePath(page.file));
        if (text.isEmpty()) continue;
        page.title = titleOf(text);
        if (parts.size() > 1)
            for (const QString& k : parts[1].split(QLatin1Char('|'), Qt::SkipEmptyParts)) page.keywords << k.trimmed();
        index.pages_ << page;
    }
    return index;
}

const HelpIndex::Page* HelpIndex::pageFor(const QString& keyword) const {
    const QString wanted = normalise(keyword);
    if (wanted.isEmpty()) return nullptr;
    for (const Page& page : pages_) {
        if (normalise(page.title) == wanted) return &page;
        for (const QString& k : page.keywords)
            if (normalise(k) == wanted) return &page;
    }
    return nullptr;
}

QList<const HelpIndex::Page*> HelpIndex::search(const QString& text) const {
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QList<const Page*> hits;
    for (const Page& page : pages_) {
        const QString body = this->text(page);
        bool all = true;
        for (const QString& w : words) all = all && body.contains(w, Qt::CaseInsensitive);
        if (all) hits << &page;
    }
    return hits;
}

QString HelpIndex::text(const Page& page) const { return readText(QDir(folder_).filePath(page.file)); }

}  // namespace orv::gui
