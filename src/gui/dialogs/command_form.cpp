#include "gui/dialogs/command_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/network_dialogs.h"
#include "dialogs/system_dialogs.h"
#include "gui/forms/mouse_locator.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

QString plain(QString caption) {
    return caption.remove(QLatin1Char('&')).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// A list's rows and the field value each row stands for.
struct ListRows {
    std::vector<std::vector<QString>> rows;
    std::vector<std::string> values;
    void add(std::vector<QString> row, std::string value) {
        rows.push_back(std::move(row));
        values.push_back(std::move(value));
    }
};

// What a list shows when it is empty: the list is not missing, there is nothing to choose.
QString emptyListLine(std::string_view list) {
    if (list == "printers") return QStringLiteral("No printers are set up on this computer.");
    if (list == "phonebook") return QStringLiteral("No dial-up connections are set up on this computer.");
    if (list == "modes") return QStringLiteral("The display reports no display modes.");
    if (list == "programs") return QStringLiteral("No installed programs were found.");
    if (list == "nicknames") return QStringLiteral("The macro file has no macros with nicknames.");
    return QStringLiteral("Nothing to list.");
}

}  // namespace

CommandForm::CommandForm(dialogs::DialogModel& model, const dialogs::DialogEnv& env, const FormLayout& layout,
                         const CommandLists& lists, QWidget* parent)
    : ModelForm(model, env, parent), env_(env), lists_(lists) {
    auto* top = new QVBoxLayout(this);
    outer_.grid = new QGridLayout;
    top->addLayout(outer_.grid);
    for (const LayoutItem& item : layout.items) addItem(item, group_ != nullptr ? inner_ : outer_);
    top->addStretch();
    top->addWidget(okCancelRow());
    updateRules();
}

void CommandForm::addItem(const LayoutItem& item, Grid& grid) {
    if (item.ctl == Ctl::Group) {
        // A group without a caption only lines its controls up in columns: it has no frame.
        group_ = item.caption.empty() ? new QWidget(this) : new QGroupBox(latin1(item.caption), this);
        groupIsMode_ = !item.showWhen.empty();
        inner_ = Grid{new QGridLayout(group_), item.extra.empty() ? 1 : item.extra[0] - '0', 0, 0};
        if (item.caption.empty()) inner_.grid->setContentsMargins(0, 0, 0, 0);
        addRule(group_, item);
        return;
    }
    if (item.ctl == Ctl::EndGroup) {
        endGroup();
        return;
    }
    if (item.ctl == Ctl::Browse) {
        // Sits at the end of the row of the field it fills.
        auto* button = new QPushButton(QStringLiteral("&Browse..."), this);
        button->setObjectName(latin1(item.field) + QStringLiteral("Browse"));
        QLineEdit* edit = edits_[std::string(item.field)];
        connect(button, &QPushButton::clicked, this, [this, edit, item] {
            const QString path =
                item.extra == "folder"
                    ? QFileDialog::getExistingDirectory(this, windowTitle(), edit->text())
                    : QFileDialog::getOpenFileName(this, windowTitle(), edit->text(), latin1(item.extra));
            if (!path.isEmpty()) edit->setText(path);
        });
        grid.grid->addWidget(button, grid.row - 1, grid.columns + 1);
        addRule(button, item);
        return;
    }
    if (item.ctl == Ctl::Pick) {
        QWidget* pick = makePick(item);
        if (grid.column == 0) {
            grid.grid->addWidget(pick, grid.row - 1, grid.columns + 1);
            return;
        }
        // After fields in cells: the next cell of their row.
        grid.grid->addWidget(pick, grid.row, grid.column);
        if (++grid.column == grid.columns) ++grid.row, grid.column = 0;
        return;
    }
    QWidget* control = makeControl(item);
    if (item.extra == "cell") control = captionedCell(control, item);
    const bool cell =
        item.ctl == Ctl::Radio || item.ctl == Ctl::Check || item.ctl == Ctl::ShowList || item.extra == "cell";
    if (cell && grid.columns > 1) {
        grid.grid->addWidget(control, grid.row, grid.column);
        if (++grid.column == grid.columns) ++grid.row, grid.column = 0;
        return;
    }
    if (grid.column != 0) ++grid.row, grid.column = 0;
    if (item.ctl == Ctl::Text || item.ctl == Ctl::Password || item.ctl == Ctl::Combo || item.ctl == Ctl::List) {
        if (!item.caption.empty()) {
            auto* label = new QLabel(latin1(item.caption), this);
            label->setBuddy(control);
            addRule(label, item);
            // A list's caption stays at its top; a field's sits level with it.
            grid.grid->addWidget(label, grid.row, 0,
                                 Qt::AlignLeft | (item.ctl == Ctl::List ? Qt::AlignTop : Qt::AlignVCenter));
        }
        grid.grid->addWidget(control, grid.row++, 1, 1, std::max(1, grid.columns));
        return;
    }
    grid.grid->addWidget(control, grid.row++, 0, 1, std::max(2, grid.columns + 1));
}

void CommandForm::endGroup() {
    if (outer_.column != 0) ++outer_.row, outer_.column = 0;
    // Groups shown each in its own mode of the dialog, one after the other, share one place: only
    // the chosen mode's group shows there, and the place keeps the size of the largest, so the
    // dialog neither grows past the screen nor jumps when the mode changes.
    if (groupIsMode_) {
        QSizePolicy policy = group_->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        group_->setSizePolicy(policy);
        if (modeRow_ != outer_.row - 1) modeRow_ = outer_.row++;
        outer_.grid->addWidget(group_, modeRow_, 0, 1, -1);
    } else {
        outer_.grid->addWidget(group_, outer_.row++, 0, 1, -1);
    }
    group_ = nullptr;
}

QWidget* CommandForm::captionedCell(QWidget* control, const LayoutItem& item) {
    auto* cell = new QWidget(this);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(latin1(item.caption), cell);
    label->setBuddy(control);
    addRule(label, item);
    row->addWidget(label);
    row->addWidget(control, 1);
    return cell;
}

QWidget* CommandForm::makeControl(const LayoutItem& item) {
    const std::string field(item.field);
    QWidget* control = nullptr;
    switch (item.ctl) {
        case Ctl::Radio: {
            QRadioButton* radio = choiceControl(field, std::string(item.extra), latin1(item.caption));
            choices_.emplace(field, std::make_pair(std::string(item.extra), radio));
            connect(radio, &QRadioButton::toggled, this, &CommandForm::updateRules);
            control = radio;
            break;
        }
        case Ctl::Check: {
            QCheckBox* box = checkControl(field, latin1(item.caption));
            choices_.emplace(field, std::make_pair(std::string("1"), box));
            connect(box, &QCheckBox::toggled, this, &CommandForm::updateRules);
            control = box;
            break;
        }
        case Ctl::Text:
        case Ctl::Password: {
            QLineEdit* edit = textControl(field);
            if (item.ctl == Ctl::Password) edit->setEchoMode(QLineEdit::Password);
            edit->setAccessibleName(item.caption.empty() ? windowTitle() : plain(latin1(item.caption)));
            // A second control of the same field (another mode's caption) keeps the first for Browse.
            edits_.emplace(field, edit);
            control = edit;
            break;
        }
        case Ctl::Label:
            control = new QLabel(latin1(item.caption), this);
            break;
        case Ctl::Combo:
        case Ctl::List:
        case Ctl::ShowList:
            control = makeList(item);
            break;
        case Ctl::Group:
        case Ctl::EndGroup:
        case Ctl::Browse:
        case Ctl::Pick:
            break;
    }
    addRule(control, item);
    return control;
}

QWidget* CommandForm::makeList(const LayoutItem& item) {
    const std::string field(item.field);
    ListRows list;
    IDesktopQueries* desktop = env_.desktop;
    if (item.extra == "choices") {
        if (const dialogs::FieldDef* def = model().field(field))
            for (const std::string& c : def->choices)
                if (!c.empty()) list.add({fromCp1252(c)}, c);
    } else if (item.extra == "drives") {
        if (auto* net = dynamic_cast<dialogs::TDoNetConn*>(&model()))
            for (const std::string& d : net->drives()) list.add({fromCp1252(d)}, d);
    } else if (item.extra == "printers" && desktop != nullptr) {
        for (const std::string& p : desktop->printers()) list.add({fromCp1252(p)}, p);
    } else if (item.extra == "phonebook" && desktop != nullptr) {
        for (const std::string& p : desktop->phoneBookEntries()) list.add({fromCp1252(p)}, p);
    } else if (item.extra == "modes") {
        if (auto* screen = dynamic_cast<dialogs::TDoScreen*>(&model()))
            for (std::size_t i = 0; i < screen->modeLines().size(); ++i)
                list.add({fromCp1252(screen->modeLines()[i])}, std::to_string(i));
    } else if (item.extra == "programs") {
        if (auto* progs = dynamic_cast<dialogs::TDoAllProgs*>(&model()))
            for (std::size_t i = 0; i < progs->programs().size(); ++i) {
                // Two columns: the entry's name and the program it starts.
                const std::string& entry = progs->programs()[i];
                const std::string program = dialogs::installedProgramOf(entry);
                const std::size_t nameLength = program.size() < entry.size() ? entry.size() - program.size() - 4 : 0;
                list.add({fromCp1252(entry.substr(0, nameLength)), fromCp1252(program)}, std::to_string(i));
            }
    } else if (item.extra == "nicknames") {
        for (const std::string& n : lists_.nicknames) list.add({fromCp1252(n)}, n);
    }

    if (item.ctl == Ctl::Combo) {
        std::vector<QString> texts;
        for (auto& row : list.rows) texts.push_back(row.front());
        QComboBox* combo = comboControl(field, texts, list.values);
        combo->setAccessibleName(plain(latin1(item.caption)));
        return combo;
    }
    if (item.ctl == Ctl::ShowList) return makeShowList(item);
    QTreeWidget* tree = listControl(field, list.rows, list.values);
    tree->setAccessibleName(plain(latin1(item.caption)));
    if (list.rows.empty()) {
        // An empty list says why, so that nobody waits for entries that will not come.
        auto* line = new QTreeWidgetItem(tree, QStringList{emptyListLine(item.extra)});
        line->setFlags(Qt::NoItemFlags);
    }
    if (item.extra == "nicknames") {
        connect(tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* it) {
            if (QLineEdit* edit = edits_["nickname"]) edit->setText(it->text(0));
        });
    } else {
        connect(tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* it) {
            if (it->flags() & Qt::ItemIsEnabled) okClicked();
        });
    }
    return tree;
}

QWidget* CommandForm::makePick(const LayoutItem& item) {
    auto* button = new QPushButton(latin1(item.caption), this);
    button->setObjectName(latin1(item.field) + QStringLiteral("Pick"));
    addRule(button, item);
    if (item.extra == "locator") {
        // The locator shows the pointer's screen position while the user reads it off.
        connect(button, &QPushButton::clicked, this, [this] {
            if (locator_ == nullptr) locator_ = new MouseLocator(this);
            locator_->setVisible(!locator_->isVisible());
        });
        return button;
    }
    QLineEdit* edit = edits_[std::string(item.field)];
    connect(button, &QPushButton::clicked, this, [this, edit] {
        QStringList names;
        if (lists_.runningPrograms)
            for (const std::string& name : lists_.runningPrograms()) names << fromCp1252(name);
        if (names.isEmpty()) {
            QMessageBox::information(this, windowTitle(), QStringLiteral("No running programs were found."));
            return;
        }
        names.sort(Qt::CaseInsensitive);
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(this, QStringLiteral("Running Programs"), QStringLiteral("&Program"), names,
                                  std::max(0, static_cast<int>(names.indexOf(edit->text()))), false, &ok);
        if (ok && !chosen.isEmpty()) edit->setText(chosen);
    });
    return button;
}

QWidget* CommandForm::makeShowList(const LayoutItem& item) {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* button = new QPushButton(latin1(item.caption), box);
    button->setObjectName(latin1(item.field) + QStringLiteral("Button"));
    auto* lines = new QListWidget(box);
    lines->setObjectName(latin1(item.field));
    lines->setAccessibleName(plain(latin1(item.caption)));
    lines->setMaximumHeight(lines->fontMetrics().height() * 4);
    column->addWidget(button);
    column->addWidget(lines);
    const bool remembered = item.extra == "remembered";
    connect(button, &QPushButton::clicked, this, [this, lines, remembered] {
        lines->clear();
        if (env_.desktop == nullptr) return;
        for (const std::string& line : dialogs::mappedDriveLines(*env_.desktop, remembered))
            lines->addItem(fromCp1252(line));
        if (lines->count() == 0) lines->addItem(QStringLiteral("No network drives."));
    });
    return box;
}

void CommandForm::addRule(QWidget* widget, const LayoutItem& item) {
    if (widget == nullptr) return;
    if (!item.enableWhen.empty()) rules_.push_back({widget, item.enableWhen, false});
    if (!item.showWhen.empty()) {
        rules_.push_back({widget, item.showWhen, true});
        onlyWhenShown(widget);
    }
}

std::string CommandForm::shownValue(const std::string& field) const {
    const auto [from, to] = choices_.equal_range(field);
    bool anyCheck = false;
    for (auto it = from; it != to; ++it) {
        const QAbstractButton* button = it->second.second;
        anyCheck = anyCheck || qobject_cast<const QCheckBox*>(button) != nullptr;
        if (button->isChecked()) return it->second.first;
    }
    return anyCheck ? "0" : model().get(field);
}

bool CommandForm::holds(std::string_view rule) const {
    if (rule == "shell") return env_.desktop != nullptr && env_.desktop->hasShellAutomation();
    const std::size_t eq = rule.find('=');
    const bool negate = eq > 0 && rule[eq - 1] == '!';
    const std::string field(rule.substr(0, negate ? eq - 1 : eq));
    const std::string value = shownValue(field);
    std::string_view rest = rule.substr(eq + 1);
    bool found = false;
    while (!rest.empty() && !found) {
        const std::size_t bar = rest.find('|');
        found = rest.substr(0, bar) == value;
        rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
    }
    return found != negate;
}

void CommandForm::updateRules() {
    for (const Rule& r : rules_) {
        const bool on = holds(r.text);
        if (r.show)
            r.widget->setVisible(on);
        else
            r.widget->setEnabled(on);
    }
}

std::unique_ptr<ModelForm> createCommandForm(dialogs::DialogModel& model, const dialogs::DialogEnv& env,
                                             QWidget* parent, const CommandLists& lists) {
    const FormLayout* layout = commandLayout(model.typeName());
    if (layout == nullptr) return nullptr;
    return std::make_unique<CommandForm>(model, env, *layout, lists, parent);
}

}  // namespace orv::gui
