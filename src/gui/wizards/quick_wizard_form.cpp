#include "gui/wizards/quick_wizard_form.h"

#include <QButtonGroup>
#include <algorithm>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "engine/date_time_formats.h"
#include "gui/help.h"
#include "gui/hotkey_picker.h"
#include "gui/icons.h"
#include "gui/qt_text.h"
#include "gui/wizards/wizard_screens.h"
#include "wizards/wizard_numbers.h"

namespace orv::gui {

namespace {

QString q(const std::string& s) { return fromCp1252(s); }
QString q(std::string_view s) { return fromCp1252(std::string(s)); }

QString plain(const std::string& caption) {
    QString s = q(caption);
    s.remove(QLatin1Char('&'));
    return s;
}

const std::vector<std::string> kSpecialFolders = {
    "Control Panel",        "Desktop",       "Desktop Programs", "Favorites",        "Fonts",       "My Computer",
    "Network Neighborhood", "Printers",      "Programs",         "Recent Documents", "Recycle Bin", "Start Menu",
    "Startup Folder",       "User Documents"};

// Lists whose value is the entry's position rather than its text.
bool byPosition(WizardList list) {
    switch (list) {
        case WizardList::HotKeys:
        case WizardList::Symbols:
        case WizardList::DateFormats:
        case WizardList::TimeFormats:
        case WizardList::DisplayModes:
        case WizardList::SpecialFolders:
            return true;
        default:
            return false;
    }
}

}  // namespace

TQuickWiz::TQuickWiz(int number, const wiz::WizardFile& file, const dialogs::DialogEnv& env, WizardListSources sources,
                     QWidget* parent)
    : QDialog(parent), flow_(number, file, env), env_(env), sources_(std::move(sources)) {
    setObjectName(QStringLiteral("TQuickWiz"));
    setWindowTitle(q(wiz::wizardCaption(number)));
    logo_ = new QLabel(q(wiz::wizard(number).logo), this);
    logo_->setObjectName(QStringLiteral("Logo"));
    QFont logoFont = logo_->font();
    logoFont.setBold(true);
    logoFont.setPointSizeF(logoFont.pointSizeF() * 1.6);
    logo_->setFont(logoFont);
    logo_->setStyleSheet(QStringLiteral("QLabel { color: #1a4fa0; background: palette(base); padding: 8px; }"));
    logo_->setAccessibleName(QStringLiteral("Wizard"));

    stack_ = new QStackedWidget(this);
    back_ = new QPushButton(QStringLiteral("< &Back"), this);
    back_->setObjectName(QStringLiteral("BackButton"));
    next_ = new QPushButton(QStringLiteral("&Next >"), this);
    next_->setObjectName(QStringLiteral("NextButton"));
    next_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(back_, &QPushButton::clicked, this, &TQuickWiz::backClicked);
    connect(next_, &QPushButton::clicked, this, &TQuickWiz::nextClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(back_);
    buttons->addWidget(next_);
    buttons->addWidget(cancel);
    buttons->addWidget(helpButton(this, QStringLiteral("Quick Wizards")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo_);
    layout->addWidget(stack_, 1);
    layout->addLayout(buttons);
    resize(560, 420);
    showScreen();
}

TQuickWiz::~TQuickWiz() = default;

QWidget* TQuickWiz::buildIntro() {
    auto* page = new QWidget(stack_);
    auto* layout = new QVBoxLayout(page);
    auto* text = new QLabel(q(wizardIntro(flow_.number())), page);
    text->setWordWrap(true);
    text->setObjectName(QStringLiteral("Intro"));
    layout->addWidget(text);
    layout->addStretch();
    auto* bypass = new QCheckBox(QStringLiteral("Bypass this &Function and Example screen"), page);
    bypass->setObjectName(QStringLiteral("Bypass"));
    bypass->setChecked(flow_.bypass());
    connect(bypass, &QCheckBox::toggled, this, [this](bool on) { flow_.setBypass(on); });
    layout->addWidget(bypass);
    return page;
}

QWidget* TQuickWiz::buildPage(int screen) {
    if (screen == 1) return buildIntro();
    const WizardScreen& def = wizardScreen(screen);
    auto* page = new QWidget(stack_);
    auto* layout = new QVBoxLayout(page);
    auto* heading = new QLabel(q(def.heading), page);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    for (const WizardControl& c : def.controls) layout->addWidget(buildControl(screen, c, page));
    layout->addStretch();
    return page;
}

QWidget* TQuickWiz::buildControl(int screen, const WizardControl& c, QWidget* page) {
    auto* row = new QWidget(page);
    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget* value = nullptr;
    QLabel* caption = nullptr;
    if (!c.caption.empty() && c.kind != WizardControl::Check) {
        caption = new QLabel(q(c.caption), row);
        caption->setWordWrap(true);
        layout->addWidget(caption);
    }
    switch (c.kind) {
        case WizardControl::Label:
            if (caption != nullptr) {
                const QString stopKey = sources_.stopKeyName.empty()
                                            ? QStringLiteral("the Start / Stop Capture hot key")
                                            : q(sources_.stopKeyName);
                caption->setText(caption->text().replace(QStringLiteral("{stop key}"), stopKey));
            }
            break;
        case WizardControl::Radio: {
            auto* box = new QWidget(row);
            auto* boxLayout = new QVBoxLayout(box);
            boxLayout->setContentsMargins(12, 0, 0, 0);
            auto* group = new QButtonGroup(box);
            for (std::size_t i = 0; i < c.choices.size(); ++i) {
                auto* b = new QRadioButton(q(c.choices[i]), box);
                b->setObjectName(q(c.field + "_" + std::to_string(i)));
                group->addButton(b, static_cast<int>(i));
                boxLayout->addWidget(b);
            }
            connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
                if (on && !loading_) refreshVisibility();
            });
            box->setAccessibleName(plain(c.caption.empty() ? c.field : c.caption));
            value = box;
            break;
        }
        case WizardControl::Check: {
            auto* b = new QCheckBox(q(c.caption), row);
            connect(b, &QCheckBox::toggled, this, [this] {
                if (!loading_) refreshVisibility();
            });
            value = b;
            break;
        }
        case WizardControl::Edit:
        case WizardControl::WebPage:
        case WizardControl::Password: {
            auto* e = new QLineEdit(row);
            if (c.kind == WizardControl::Password) e->setEchoMode(QLineEdit::Password);
            value = e;
            break;
        }
        case WizardControl::Memo:
            value = new QPlainTextEdit(row);
            break;
        case WizardControl::List:
            value = listWidget(c, row);
            if (c.list == WizardList::HotKeys && sources_.picker != nullptr) {
                QWidget* field = hotKeyField(static_cast<QListWidget*>(value), row);
                layout->addWidget(field);
                if (caption != nullptr) caption->setBuddy(field);
                caption = nullptr;
            }
            break;
        case WizardControl::Combine:
            value = combineWidget(c, row);
            break;
        case WizardControl::Icon:
            value = iconButton(row, caption);
            break;
        case WizardControl::Command: {
            auto* shown = new QLineEdit(row);
            shown->setReadOnly(true);
            value = shown;
            break;
        }
    }
    if (value != nullptr) {
        if (value->objectName().isEmpty()) value->setObjectName(q(c.field));
        if (value->accessibleName().isEmpty()) value->setAccessibleName(plain(c.caption.empty() ? c.field : c.caption));
        if (caption != nullptr) caption->setBuddy(value);
        layout->addWidget(value);
        if (c.kind == WizardControl::Command)
            layout->addWidget(commandButton(qobject_cast<QLineEdit*>(value), row), 0, Qt::AlignLeft);
        if (c.kind == WizardControl::WebPage)
            layout->addWidget(webPageButton(qobject_cast<QLineEdit*>(value), row), 0, Qt::AlignLeft);
    }
    bindings_.push_back({screen, &c, row, value});
    if (value != nullptr) copyIn(bindings_.back());
    return row;
}

std::vector<std::string> TQuickWiz::listEntries(const WizardControl& c) const {
    std::vector<std::string> out;
    switch (c.list) {
        case WizardList::HotKeys:
            return flow_.hotKeyList();
        case WizardList::Symbols:
            for (int i = 0; i < 128; ++i) out.emplace_back(1, static_cast<char>(128 + i));
            return out;
        case WizardList::DateFormats:
            return {kDateFormats.begin(), kDateFormats.end()};
        case WizardList::TimeFormats:
            return {kTimeFormats.begin(), kTimeFormats.end()};
        case WizardList::SpecialFolders:
            return kSpecialFolders;
        case WizardList::DisplayModes:
            if (env_.desktop)
                for (const DisplayMode& m : env_.desktop->displayModes())
                    out.push_back(std::to_string(m.width) + " x " + std::to_string(m.height) + ", " +
                                  std::to_string(m.bitsPerPixel) + " bits, " + std::to_string(m.refreshHz) + " Hz");
            return out;
        case WizardList::Printers:
            return env_.desktop ? env_.desktop->printers() : out;
        case WizardList::PhoneBook:
            return env_.desktop ? env_.desktop->phoneBookEntries() : out;
        case WizardList::Drives:
            for (char d = 'A'; d <= 'Z'; ++d) out.push_back(std::string(1, d) + ":");
            return out;
        case WizardList::Programs:
            return sources_.programs;
        case WizardList::ProgramPaths:
            return sources_.programPaths;
        case WizardList::Windows:
            return sources_.windows;
        case WizardList::PopupMenus:
            for (int j : flow_.popupMenus()) out.push_back(std::to_string(j));
            return out;
        case WizardList::MenuMacros:
            for (int j : flow_.menuCandidates()) out.push_back(std::to_string(j));
            return out;
        default:
            return sources_.nickNames;
    }
}

QWidget* TQuickWiz::listWidget(const WizardControl& c, QWidget* parent) {
    auto* w = new QListWidget(parent);
    for (const std::string& entry : listEntries(c)) {
        QString shown = q(entry);
        const bool numbered = c.list == WizardList::PopupMenus || c.list == WizardList::MenuMacros;
        if (numbered) {
            const auto j = wiz::wholeNumber(entry).value_or(0);
            if (j >= 1 && static_cast<std::size_t>(j) <= sources_.nickNames.size())
                shown = q(sources_.nickNames[static_cast<std::size_t>(j - 1)]);
        }
        auto* item = new QListWidgetItem(shown, w);
        item->setData(Qt::UserRole, q(entry));
    }
    if (c.list == WizardList::MenuMacros) w->setSelectionMode(QAbstractItemView::MultiSelection);
    if (c.list == WizardList::Symbols) {
        w->setViewMode(QListView::IconMode);
        w->setFlow(QListView::TopToBottom);
        w->setGridSize(QSize(28, 28));
        w->setWrapping(true);
        w->setMinimumHeight(8 * 28 + 8);
    }
    return w;
}

QWidget* TQuickWiz::combineWidget(const WizardControl& c, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    auto* available = new QListWidget(box);
    available->setObjectName(QStringLiteral("AvailableMacros"));
    available->setAccessibleName(QStringLiteral("Available Macros"));
    for (const std::string& n : listEntries(c)) available->addItem(q(n));
    auto* combined = new QListWidget(box);
    combined->setObjectName(q(c.field + "List"));
    combined->setAccessibleName(QStringLiteral("New Combined Macro"));
    auto* buttons = new QVBoxLayout;
    const auto add = [&](const char* caption, auto action) {
        auto* b = new QPushButton(QString::fromLatin1(caption), box);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, box, action);
    };
    add("&Add", [available, combined] {
        if (available->currentItem()) combined->addItem(available->currentItem()->text());
    });
    add("I&nsert", [available, combined] {
        if (available->currentItem())
            combined->insertItem(std::max(0, combined->currentRow()), available->currentItem()->text());
    });
    add("&Up", [combined] {
        const int r = combined->currentRow();
        if (r > 0) combined->insertItem(r - 1, combined->takeItem(r)), combined->setCurrentRow(r - 1);
    });
    add("&Down", [combined] {
        const int r = combined->currentRow();
        if (r >= 0 && r + 1 < combined->count())
            combined->insertItem(r + 1, combined->takeItem(r)), combined->setCurrentRow(r + 1);
    });
    add("De&lete", [combined] { delete combined->takeItem(combined->currentRow()); });
    buttons->addStretch();
    layout->addWidget(available);
    layout->addLayout(buttons);
    layout->addWidget(combined);
    box->setObjectName(q(c.field));
    box->setAccessibleName(QStringLiteral("New Combined Macro"));
    return box;
}

QWidget* TQuickWiz::hotKeyField(QListWidget* list, QWidget* row) {
    auto* field = new HotkeyPickerField(*sources_.picker, row);
    field->setObjectName(QStringLiteral("HotKeyEntry"));
    field->setAccessibleName(QStringLiteral("Hot key"));
    // A pressed hotkey chooses its row of the list; a row chosen in the list shows in the field
    // (the list's current row alone is no choice: it starts on the first row).
    field->setAcceptor([list](int code) {
        if (code < 0 || code >= list->count()) return false;
        list->setCurrentRow(code, QItemSelectionModel::ClearAndSelect);
        list->scrollToItem(list->item(code));
        return true;
    });
    connect(list, &QListWidget::itemSelectionChanged, field, [field, list] {
        const QList<QListWidgetItem*> chosen = list->selectedItems();
        if (!chosen.isEmpty()) field->setCode(list->row(chosen.front()));
    });
    return field;
}

QWidget* TQuickWiz::iconButton(QWidget* row, QLabel* caption) {
    // A popup menu's icon is the one its tray icon shows.
    if (flow_.number() == 25 && caption != nullptr)
        caption->setText(
            QStringLiteral("If you have chosen to place an icon in the system tray for this menu, then "
                           "this will be the icon shown there."));
    auto* button = new QToolButton(row);
    button->setIconSize(QSize(32, 32));
    button->setAccessibleName(QStringLiteral("Macro icon"));
    connect(button, &QToolButton::clicked, this, [this, button] {
        if (!sources_.chooseIcon) return;
        if (const std::optional<std::string> name = sources_.chooseIcon(this)) {
            flow_.answers().set("icon", *name);
            showIcon(button);
        }
    });
    showIcon(button);
    return button;
}

void TQuickWiz::showIcon(QAbstractButton* button) const {
    const std::string& name = flow_.answers().get("icon");
    if (name.empty() || name == "MAIN") {
        button->setIcon(flow_.number() == 25 ? menuIcon() : mainIcon());
    } else {
        button->setIcon(QIcon(QString::fromStdString(sources_.iconsDir + "/" + name)));
    }
}

QWidget* TQuickWiz::commandButton(QLineEdit* shown, QWidget* row) {
    auto* choose = new QPushButton(QStringLiteral("C&hoose Final Macro Command"), row);
    choose->setObjectName(QStringLiteral("ChooseCommand"));
    connect(choose, &QPushButton::clicked, this, [this, shown] { chooseCommand(shown); });
    return choose;
}

QWidget* TQuickWiz::webPageButton(QLineEdit* address, QWidget* row) {
    auto* launch = new QPushButton(QStringLiteral("&Launch Web Page"), row);
    launch->setObjectName(QStringLiteral("LaunchWebPage"));
    connect(launch, &QPushButton::clicked, this, [address] {
        if (!address->text().trimmed().isEmpty()) openWebPage(address->text().trimmed());
    });
    return launch;
}

void TQuickWiz::chooseCommand(QLineEdit* shown) {
    const wiz::WizardCommand* command = flow_.chosenCommand();
    if (command == nullptr || !sources_.chooseCommand) return;
    if (const std::optional<std::string> text = sources_.chooseCommand(*command)) {
        flow_.setCommandText(*text);
        shown->setText(q(*text));
    }
}

void TQuickWiz::copyIn(const Binding& b) {
    const std::string& v = flow_.answers().get(b.def->field);
    loading_ = true;
    if (auto* e = qobject_cast<QLineEdit*>(b.widget)) e->setText(q(v));
    if (auto* m = qobject_cast<QPlainTextEdit*>(b.widget)) m->setPlainText(q(v));
    if (auto* c = qobject_cast<QCheckBox*>(b.widget)) c->setChecked(v == "1");
    if (b.def->kind == WizardControl::Radio) {
        const auto buttons = b.widget->findChildren<QRadioButton*>();
        const int i = flow_.answers().index(b.def->field);
        if (i >= 0 && i < buttons.size()) buttons[i]->setChecked(true);
    }
    if (auto* l = qobject_cast<QListWidget*>(b.widget)) {
        const auto chosen = b.def->list == WizardList::MenuMacros ? wiz::numberList(v) : std::vector<int>{};
        for (int i = 0; i < l->count(); ++i) {
            QListWidgetItem* item = l->item(i);
            const bool match = byPosition(b.def->list) ? std::to_string(i) == v
                               : b.def->list == WizardList::MenuMacros
                                   ? std::find(chosen.begin(), chosen.end(),
                                               item->data(Qt::UserRole).toString().toInt()) != chosen.end()
                                   : !v.empty() && toCp1252(item->data(Qt::UserRole).toString()) == v;
            item->setSelected(match);
            if (match) l->setCurrentItem(item, QItemSelectionModel::Select);
        }
    }
    loading_ = false;
}

void TQuickWiz::copyOut(const Binding& b) {
    wiz::WizardAnswers& a = flow_.answers();
    const std::string& field = b.def->field;
    if (auto* e = qobject_cast<QLineEdit*>(b.widget)) a.set(field, toCp1252(e->text()));
    if (auto* m = qobject_cast<QPlainTextEdit*>(b.widget)) a.set(field, toCp1252(m->toPlainText()));
    if (auto* c = qobject_cast<QCheckBox*>(b.widget)) a.set(field, c->isChecked() ? "1" : "0");
    if (b.def->kind == WizardControl::Radio) {
        const auto buttons = b.widget->findChildren<QRadioButton*>();
        for (int i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked()) a.set(field, std::to_string(i));
    }
    if (b.def->kind == WizardControl::Combine) {
        auto* list = b.widget->findChild<QListWidget*>(q(field + "List"));
        std::string lines;
        for (int i = 0; list && i < list->count(); ++i) lines += (i ? "\n" : "") + toCp1252(list->item(i)->text());
        a.set(field, lines);
    }
    if (auto* l = qobject_cast<QListWidget*>(b.widget)) {
        std::string value;
        for (int i = 0; i < l->count(); ++i) {
            if (!l->item(i)->isSelected()) continue;
            const std::string entry =
                byPosition(b.def->list) ? std::to_string(i) : toCp1252(l->item(i)->data(Qt::UserRole).toString());
            value += (value.empty() ? "" : ",") + entry;
        }
        a.set(field, value);
    }
}

void TQuickWiz::copyOutScreen() {
    for (const Binding& b : bindings_)
        if (b.screen == flow_.screen() && b.widget != nullptr && !b.row->isHidden()) copyOut(b);
}

void TQuickWiz::refreshVisibility() {
    copyOutScreen();
    for (const Binding& b : bindings_)
        if (b.screen == flow_.screen()) b.row->setHidden(b.def->shown && !b.def->shown(flow_.answers()));
}

void TQuickWiz::showScreen() {
    const int screen = flow_.screen();
    if (!pages_.count(screen)) {
        pages_[screen] = buildPage(screen);
        stack_->addWidget(pages_[screen]);
    } else {
        for (const Binding& b : bindings_)
            if (b.screen == screen && b.widget != nullptr) copyIn(b);
    }
    for (const Binding& b : bindings_)
        if (b.screen == screen) b.row->setHidden(b.def->shown && !b.def->shown(flow_.answers()));
    stack_->setCurrentWidget(pages_[screen]);
    back_->setEnabled(!flow_.atFirst());
    next_->setText(flow_.atLast() ? QStringLiteral("&Finish") : QStringLiteral("&Next >"));
    // Screen 7 offers "all programs" only while no Global macro holds the chosen hotkey.
    if (auto* all = pages_[screen]->findChild<QRadioButton*>(QStringLiteral("scope_0")))
        all->setEnabled(flow_.globalAllowed());
    for (const Binding& b : bindings_)
        if (b.screen == screen && b.widget != nullptr && !b.row->isHidden()) {
            // The hotkey field, when there is one, takes the focus before its list.
            auto* field = b.row->findChild<HotkeyPickerField*>();
            (field != nullptr ? static_cast<QWidget*>(field) : b.widget)->setFocus();
            break;
        }
}

QWidget* TQuickWiz::control(const std::string& field) const {
    for (const Binding& b : bindings_)
        if (b.screen == flow_.screen() && b.def->field == field && !b.row->isHidden()) return b.widget;
    return nullptr;
}

int TQuickWiz::exec() {
    int result = QDialog::exec();
    while (result == kRecordKeys) {
        if (std::optional<std::string> text = sources_.recordKeys()) tookRecording(std::move(*text));
        // Back from the recording, the wizard comes to the front of the window the user typed in.
        if (sources_.bringForward) sources_.bringForward(*this);
        result = QDialog::exec();
    }
    return result;
}

void TQuickWiz::nextClicked() {
    copyOutScreen();
    // The recording runs with the wizard out of the way: the dialog's loop ends for it (exec()).
    if (flow_.recordsKeys() && sources_.recordKeys) {
        done(kRecordKeys);
        return;
    }
    advance();
}

void TQuickWiz::tookRecording(std::string text) {
    flow_.setRecording(std::move(text));
    advance();
}

void TQuickWiz::advance() {
    const Outcome o = flow_.next();
    if (!o.accepted) {
        if (!o.failure.message.empty() && env_.prompt) env_.prompt->messageBox(o.failure.title, o.failure.message);
        if (QWidget* w = control(o.failure.field)) w->setFocus();
        return;
    }
    if (flow_.finished()) {
        accept();
        return;
    }
    showScreen();
}

void TQuickWiz::backClicked() {
    copyOutScreen();
    if (flow_.back()) showScreen();
}

}  // namespace orv::gui
