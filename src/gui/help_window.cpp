#include "gui/help_window.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace orv::gui {

namespace {

constexpr int kFileRole = Qt::UserRole;

}  // namespace

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), index_(HelpIndex::load(folder)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Orvanta 99 Help"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("HelpSearch"));
    search_->setAccessibleName(QStringLiteral("Search the help"));
    search_->setClearButtonEnabled(true);
    searchLabel->setBuddy(search_);

    contents_ = new QListWidget(this);
    contents_->setObjectName(QStringLiteral("HelpContents"));
    contents_->setAccessibleName(QStringLiteral("Contents"));
    for (const HelpIndex::Page& page : index_.pages()) {
        auto* item = new QListWidgetItem(page.title, contents_);
        item->setData(kFileRole, page.file);
    }
    page_ = new QTextBrowser(this);
    page_->setObjectName(QStringLiteral("HelpPage"));
    page_->setAccessibleName(QStringLiteral("Help page"));
    page_->setOpenExternalLinks(true);
    page_->setSearchPaths({folder});
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("HelpNote"));
    note_->hide();

    auto* splitter = new QSplitter(this);
    splitter->addWidget(contents_);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 3);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    back->setObjectName(QStringLiteral("HelpBack"));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("HelpClose"));

    auto* top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(search_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note_, 1);
    bottom->addStretch();
    bottom->addWidget(back);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);
    resize(760, 520);

    connect(search_, &QLineEdit::textChanged, this, &HelpWindow::filter);
    connect(search_, &QLineEdit::returnPressed, this, &HelpWindow::openFirstHit);
    connect(contents_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item == nullptr) return;
        const QString file = item->data(kFileRole).toString();
        if (file != currentPage()) page_->setSource(QUrl::fromLocalFile(QDir(index_.folder()).filePath(file)));
    });
    connect(page_, &QTextBrowser::sourceChanged, this, &HelpWindow::pageChanged);
    connect(page_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(back, &QPushButton::clicked, page_, &QTextBrowser::backward);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence::Find, search_, [this] { search_->setFocus(); });
    new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { QWidget::close(); });
}

QString HelpWindow::currentPage() const {
    // A link followed from a page may name the next page relative to the help folder.
    const QUrl url = page_->source();
    if (url.isEmpty()) return {};
    const QString path = url.isLocalFile() ? url.toLocalFile() : QDir(index_.folder()).filePath(url.path());
    return QDir(index_.folder()).relativeFilePath(path);
}

void HelpWindow::showPage(const HelpIndex::Page& page) {
    page_->setSource(QUrl::fromLocalFile(QDir(index_.folder()).filePath(page.file)));
    pageChanged();
}

bool HelpWindow::showKeyword(const QString& keyword) {
    search_->clear();
    const HelpIndex::Page* page = keyword.trimmed().isEmpty() ? nullptr : index_.pageFor(keyword);
    note_->setVisible(page == nullptr && !keyword.trimmed().isEmpty());
    if (page == nullptr) {
        note_->setText(QStringLiteral("There is no help page for \"%1\".").arg(HelpIndex::normalise(keyword)));
        if (!index_.pages().isEmpty()) showPage(index_.pages().front());
        return keyword.trimmed().isEmpty();
    }
    showPage(*page);
    return true;
}

void HelpWindow::filter(const QString& text) {
    const QList<const HelpIndex::Page*> hits = index_.search(text);
    for (int i = 0; i < contents_->count(); ++i) {
        QListWidgetItem* item = contents_->item(i);
        const QString file = item->data(kFileRole).toString();
        const bool hit =
            std::any_of(hits.begin(), hits.end(), [&](const HelpIndex::Page* p) { return p->file == file; });
        item->setHidden(!hit);
    }
}

void HelpWindow::openFirstHit() {
    for (int i = 0; i < contents_->count(); ++i) {
        QListWidgetItem* item = contents_->item(i);
        if (item->isHidden()) continue;
        contents_->setCurrentItem(item);
        const QStringList words = search_->text().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!words.isEmpty()) page_->find(words.front());
        return;
    }
}

void HelpWindow::pageChanged() {
    const QString file = currentPage();
    for (int i = 0; i < contents_->count(); ++i) {
        QListWidgetItem* item = contents_->item(i);
        if (item->data(kFileRole).toString() != file) continue;
        const QSignalBlocker block(contents_);
        contents_->setCurrentItem(item);
        break;
    }
}

}  // namespace orv::gui
