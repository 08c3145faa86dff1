#include "gui/forms/memo_editor_form.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include "dialogs/text_dialogs.h"
#include "gui/forms/macro_memo.h"
#include "gui/forms/search_form.h"
#include "gui/help.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

// "<PAGE UP>" -> "KeyPAGEUP": the object name of a key button.
QString keyObjectName(std::string_view tag) {
    QString name = QStringLiteral("Key");
    for (char c : tag)
        if (c != '<' && c != '>' && c != ' ') name += QLatin1Char(c);
    return name;
}

QString plain(std::string_view caption) { return QString::fromLatin1(caption.data(), caption.size()).remove(u'&'); }

}  // namespace

MemoEditorForm::MemoEditorForm(const EditorContext& context, QWidget* parent)
    : QDialog(parent), context_(context), hooksOff_(context.keyboard) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    memo_ = new MacroMemo(this);
}

bool MemoEditorForm::insert(const std::string& stored) {
    if (stored.empty()) return false;
    return memo_->insertStored(stored, prompt_);
}

QWidget* MemoEditorForm::keyButtons() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    int plainKeys = 0;
    // The function keys have a row of their own: in the grid's columns the few wide key names
    // above them would stretch some of them.
    auto* functionRow = new QHBoxLayout;
    functionRow->setSpacing(2);
    for (const editors::KeyInsert& k : editors::keyInserts()) {
        auto* button = new QToolButton(box);
        button->setText(QString::fromLatin1(k.caption.data(), k.caption.size()));
        button->setObjectName(keyObjectName(k.tag));
        button->setToolTip(QStringLiteral("Insert %1").arg(QString::fromLatin1(k.tag.data(), k.tag.size())));
        button->setAccessibleName(plain(k.caption));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const std::string tag(k.tag);
        connect(button, &QToolButton::clicked, this, [this, tag] { insert(tag); });
        if (k.functionKey) {
            functionRow->addWidget(button);
        } else {
            // Six to a row, so that the editors fit a small screen at a large scale.
            grid->addWidget(button, plainKeys / 6, plainKeys % 6);
            ++plainKeys;
        }
    }
    grid->addLayout(functionRow, grid->rowCount(), 0, 1, -1);
    return box;
}

QWidget* MemoEditorForm::miscBox() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("Miscellaneous"), box);
    misc_ = new QComboBox(box);
    misc_->setObjectName(QStringLiteral("MiscBox"));
    misc_->setAccessibleName(QStringLiteral("Miscellaneous"));
    for (const editors::MiscKey& m : editors::miscKeys())
        misc_->addItem(QString::fromLatin1(m.name.data(), m.name.size()),
                       QString::fromLatin1(m.tag.data(), m.tag.size()));
    misc_->setCurrentIndex(-1);
    label->setBuddy(misc_);
    auto* ok = new QToolButton(box);
    ok->setText(QStringLiteral("ok"));
    ok->setObjectName(QStringLiteral("MiscOkButton"));
    ok->setAccessibleName(QStringLiteral("Insert the miscellaneous key"));
    connect(ok, &QToolButton::clicked, this, [this] {
        if (misc_->currentIndex() >= 0) insert(misc_->currentData().toString().toStdString());
    });
    row->addWidget(label);
    row->addWidget(misc_);
    row->addWidget(ok);
    return box;
}

QMenuBar* MemoEditorForm::menus(bool functionKeyMenu) {
    auto* bar = new QMenuBar(this);
    file_ = bar->addMenu(QStringLiteral("&File"));
    file_->addAction(QStringLiteral("&Update"), this, [this] { updateClicked(); });
    file_->addAction(QStringLiteral("E&xit"), this, &QDialog::reject);
    addEditMenu(bar);
    QMenu* keys = bar->addMenu(QStringLiteral("&Keys"));
    QMenu* fkeys = functionKeyMenu ? bar->addMenu(QStringLiteral("FKe&ys")) : keys;
    for (const editors::KeyInsert& k : editors::keyInserts()) {
        const std::string tag(k.tag);
        (k.functionKey ? fkeys : keys)
            ->addAction(QString::fromLatin1(k.menuCaption.data(), k.menuCaption.size()), this,
                        [this, tag] { insert(tag); });
    }
    return bar;
}

void MemoEditorForm::addEditMenu(QMenuBar* bar) {
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    // Cut, Copy, Paste and Delete act on the memo or the edit field that has the focus.
    const auto onFocused = [this](auto memoDo, auto fieldDo) {
        return [this, memoDo, fieldDo] {
            QWidget* w = QApplication::focusWidget();
            if (w == memo_)
                memoDo(memo_);
            else if (auto* field = qobject_cast<QLineEdit*>(w); field != nullptr && isAncestorOf(field))
                fieldDo(field);
        };
    };
    edit->addAction(QStringLiteral("Cu&t"), QKeySequence::Cut, this,
                    onFocused([](QPlainTextEdit* m) { m->cut(); }, [](QLineEdit* f) { f->cut(); }));
    edit->addAction(QStringLiteral("&Copy"), QKeySequence::Copy, this,
                    onFocused([](QPlainTextEdit* m) { m->copy(); }, [](QLineEdit* f) { f->copy(); }));
    edit->addAction(QStringLiteral("&Paste"), QKeySequence::Paste, this,
                    onFocused([](QPlainTextEdit* m) { m->paste(); }, [](QLineEdit* f) { f->paste(); }));
    edit->addAction(
        QStringLiteral("&Delete"), this,
        onFocused([](QPlainTextEdit* m) { m->textCursor().removeSelectedText(); }, [](QLineEdit* f) { f->del(); }));
    edit->addSeparator();
    edit->addAction(QStringLiteral("&Find"), QKeySequence(Qt::CTRL | Qt::Key_F), this, &MemoEditorForm::find);
    edit->addAction(QStringLiteral("Find &Again"), QKeySequence(Qt::Key_F3), this, &MemoEditorForm::findAgain);
    edit->addAction(QStringLiteral("&Search and Replace"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                    &MemoEditorForm::searchAndReplace);
}

bool MemoEditorForm::askSearch(bool replace, std::string& find, std::string& replacement) {
    dialogs::TDoSearch model;
    model.set("mode", replace ? "replace" : "find");
    model.set("find", search_.lastSearch());
    SearchForm form(model, context_.env, this);
    if (form.exec() != QDialog::Accepted) return false;
    find = model.values().find;
    replacement = model.values().replace;
    return true;
}

void MemoEditorForm::find() {
    std::string text, unused;
    if (!askSearch(false, text, unused)) return;
    if (const auto hit = search_.find(memo_->memoText(), text, prompt_)) memo_->selectRange(hit->start, hit->length);
}

void MemoEditorForm::findAgain() {
    if (const auto hit = search_.findAgain(memo_->memoText(), prompt_)) memo_->selectRange(hit->start, hit->length);
}

void MemoEditorForm::searchAndReplace() {
    std::string text, replacement;
    if (!askSearch(true, text, replacement)) return;
    const editors::Replaced r = editors::replaceInLines(memo_->memoText(), text, replacement);
    if (r.count > 0) memo_->replaceAll(r.text);
    editors::reportReplaced(prompt_, text, r.count);
}

}  // namespace orv::gui
