#include "gui/forms/scripting_editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "editors/script_dialogs.h"
#include "editors/script_lines.h"
#include "gui/dialogs/command_form.h"
#include "gui/dialogs/scripting_wizard_form.h"
#include "gui/forms/direct_editor_form.h"
#include "gui/forms/form_registry.h"
#include "gui/forms/macro_header.h"
#include "gui/forms/text_insert_form.h"
#include "gui/help.h"
#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"
#include "platform/dialup.h"

namespace orv::gui {

namespace {

namespace cmd = script::cmd;

constexpr const char* kCaption = "Macro Scripting Editor";
constexpr const char* kHelpKeyword = "Scripting Editor";
constexpr const char* kScratchFile = "ORVANTA.TMP";

std::optional<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool writeWholeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace

const TDoScripting::MenuCommand TDoScripting::kMenuCommands[34] = {
    {"Display a Text &Box", cmd::WindowOfText},
    {"Insert a &Delay", cmd::Delay},
    {"&Load New Macro File", cmd::LoadNewMacroFile},
    {"Ma&cro Pause", cmd::Pause},
    {"Play, Delete, &Activate Macros", cmd::MacroRun},
    {"&Repeat Loop", cmd::RepeatStart},
    {"Set &Keyboard or Mouse Speed", cmd::KeystrokeSpeed},
    {"&Wait For Window", cmd::WaitForWindow},
    {"&Activate / Launch Programs", cmd::ActivateOrLaunch},
    {"&Delete, Copy, Rename Files, etc.", cmd::ChangeFolder},
    {"&FTP Download", cmd::WebFtp},
    {"&Launch a Web Site", cmd::WebSite},
    {"&Open Folder In Explorer", cmd::OpenFolder},
    {"Pla&y a Sound", cmd::SoundWaveFile},
    {"Play a &Video Clip", cmd::VideoClipPlay},
    {"&Audio CD Functions", cmd::CdPlay},
    {"&Dial-Up Networking", cmd::DialUp},
    {"Maximize, Minimize, etc &Windows", cmd::WindowMinimize},
    {"&Network Connections", cmd::NetworkConnect},
    {"&Reboot, Logoff, Shutdown", cmd::Reboot},
    {"Screen Sa&ver Settings, Wallpaper", cmd::Wallpaper},
    {"Set a Window Si&ze or Position", cmd::WindowResize},
    {"Set De&fault Printer", cmd::DefaultPrinter},
    {"Set S&creen Resolution", cmd::DefaultDisplaySize},
    {"Spea&ker Controls", cmd::AudioMute},
    {"T&ile, Cascade, Minimize Desktop", cmd::DeskTopCascade},
    {"&Alt, Ctrl, Shift, Win Down and Up", cmd::AltKey},
    {"&Clipboard Functions (copy, paste)", cmd::ClipboardFileCopy},
    {"Enter a Comment or &Remark", cmd::Remark},
    {"&Enter Text, Symbols, Keystrokes", cmd::Text},
    {"&Insert a Text File", cmd::LoadTextFile},
    {"Insert &Date (current, past or future)", cmd::Date},
    {"I&nsert Time", cmd::Time},
    {"M&ouse Clicks, Movements, Wheel", cmd::MouseMove},
};

TDoScripting::TDoScripting(editors::DirectEditorModel& model, const EditorContext& context, QWidget* parent)
    : QDialog(parent), model_(model), context_(context), hooksOff_(context.keyboard) {
    setObjectName(QStringLiteral("TDoScripting"));
    // No minimize box: the editor is a modal window of the program.
    setWindowFlags((windowFlags() | Qt::WindowMaximizeButtonHint) & ~Qt::WindowMinimizeButtonHint);
    setMinimumWidth(320);

    header_ = new MacroHeader(
        model_, context_, prompt_, [this] { showCaption(); }, this);
    header_->giveAccessKeys();
    textFile_ = new QLabel(this);
    textFile_->setObjectName(QStringLiteral("TextName"));
    textFile_->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    addMenus();
    layout->addWidget(header_);
    layout->addWidget(textFile_);
    layout->addWidget(lists(), 1);
    // The size the user left it at, but never smaller than its controls need nor larger than the
    // screen.
    if (const TAppSettings* s = context_.env.settings) {
        QSize size(std::max(s->ScriptWidth, sizeHint().width()), std::max(s->ScriptHeight, sizeHint().height()));
        if (const QScreen* shown = screen()) {
            const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
            size = size.boundedTo(shown->availableGeometry().size() - QSize(0, titleBar));
        }
        resize(size);
    }

    if (model_.start().existing) {
        script_.BuildTheScript(script::ScriptModel::workingTextOf(model_.buffer()));
        script_.SetIndents();
    }
    showLines();
    showCaption();
    header_->nickName()->setFocus();
}

TDoScripting::~TDoScripting() = default;

QWidget* TDoScripting::lists() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);

    commands_ = new QListWidget(box);
    commands_->setObjectName(QStringLiteral("OptionBox"));
    commands_->setAccessibleName(QStringLiteral("Commands"));
    for (int c = 1; c <= static_cast<int>(script::kCommandCount); ++c) {
        auto* item = new QListWidgetItem(latin1(script::commandLabel(c)), commands_);
        item->setData(Qt::UserRole, c);
    }
    commands_->sortItems();
    auto* commandsLabel = new QLabel(QStringLiteral("Co&mmands"), box);
    commandsLabel->setBuddy(commands_);
    connect(commands_, &QListWidget::itemDoubleClicked, this, [this] { addLine(script::AddPosition::Append); });

    lines_ = new QListWidget(box);
    lines_->setObjectName(QStringLiteral("Script"));
    lines_->setAccessibleName(QStringLiteral("Macro Script"));
    lines_->setUniformItemSizes(true);
    // Long lines scroll sideways rather than lose their end.
    lines_->setTextElideMode(Qt::ElideNone);
    lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* linesLabel = new QLabel(QStringLiteral("Macro &Script"), box);
    linesLabel->setBuddy(lines_);
    connect(lines_, &QListWidget::currentRowChanged, this, [this](int row) {
        script_.select(row);
        enableButtons();
    });
    connect(lines_, &QListWidget::itemDoubleClicked, this, &TDoScripting::editLine);

    auto* adding = new QVBoxLayout;
    auto* add = plainButton(QStringLiteral("&Add"), "AddButton", box);
    auto* before = plainButton(QStringLiteral("I&nsert"), "InsertBefore", box);
    auto* after = plainButton(QStringLiteral("&Insert"), "InsertAfter", box);
    add->setToolTip(QStringLiteral("Add the command at the end of the script"));
    before->setToolTip(QStringLiteral("Insert the command before the selected line"));
    before->setAccessibleName(QStringLiteral("Insert Before"));
    after->setAccessibleName(QStringLiteral("Insert After"));
    after->setToolTip(QStringLiteral("Insert the command after the selected line"));
    connect(add, &QPushButton::clicked, this, [this] { addLine(script::AddPosition::Append); });
    connect(before, &QPushButton::clicked, this, [this] { addLine(script::AddPosition::Before); });
    connect(after, &QPushButton::clicked, this, [this] { addLine(script::AddPosition::After); });
    auto* wizard = plainButton(QStringLiteral("Wi&zard"), "WizardButton", box);
    wizard->setToolTip(QStringLiteral("Command Wizard"));
    wizard->setAccessibleName(QStringLiteral("Command Wizard"));
    connect(wizard, &QPushButton::clicked, this, &TDoScripting::runWizard);
    for (QPushButton* b : {add, before, after, wizard}) adding->addWidget(b);
    adding->addStretch();

    auto* lineButtons = new QVBoxLayout;
    up_ = plainButton(QStringLiteral("&Up"), "UpButton", box);
    down_ = plainButton(QStringLiteral("&Down"), "DownButton", box);
    edit_ = plainButton(QStringLiteral("&Edit"), "EditButton", box);
    copy_ = plainButton(QStringLiteral("Cop&y"), "DoCopy", box);
    delete_ = plainButton(QStringLiteral("De&lete"), "DoDelete", box);
    auto* save = plainButton(QStringLiteral("Sa&ve"), "OkButton", box);
    save->setDefault(true);
    auto* cancel = plainButton(QStringLiteral("&Cancel"), "CancelButton", box);
    connect(up_, &QPushButton::clicked, this, [this] {
        script_.moveUp();
        showLines();
    });
    connect(down_, &QPushButton::clicked, this, [this] {
        script_.moveDown();
        showLines();
    });
    connect(edit_, &QPushButton::clicked, this, &TDoScripting::editLine);
    connect(copy_, &QPushButton::clicked, this, [this] {
        script_.copyLine();
        showLines();
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        script_.deleteLine();
        showLines();
    });
    connect(save, &QPushButton::clicked, this, &TDoScripting::saveIt);
    connect(cancel, &QPushButton::clicked, this, &TDoScripting::reject);
    for (QPushButton* b : {up_, down_, edit_, copy_, delete_}) lineButtons->addWidget(b);
    lineButtons->addStretch();
    // Save, Cancel and Help on a row of their own below the lists: a column of all the buttons
    // would not fit a small screen. Alt+H opens the Help menu; F1 and the button give help too.
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(save);
    closing->addWidget(cancel);
    QPushButton* help = helpButton(this, latin1(kHelpKeyword));
    help->setText(QStringLiteral("Help"));
    closing->addWidget(help);

    grid->addWidget(commandsLabel, 0, 0);
    grid->addWidget(commands_, 1, 0);
    grid->addLayout(adding, 1, 1);
    grid->addWidget(linesLabel, 0, 2);
    grid->addWidget(lines_, 1, 2);
    grid->addLayout(lineButtons, 1, 3);
    grid->addLayout(closing, 2, 0, 1, 4);
    // Tab goes down each column in turn: the commands and the buttons that add them, then the
    // script and the buttons that change its lines, then the closing row.
    QWidget* const order[] = {commands_, add,   before, after,   wizard, lines_, up_,
                              down_,     edit_, copy_,  delete_, save,   cancel, help};
    for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    // The command list is as wide as its longest label; the script takes the rest.
    commands_->setFixedWidth(commands_->sizeHintForColumn(0) + commands_->verticalScrollBar()->sizeHint().width() +
                             2 * commands_->frameWidth() + 4);
    lines_->setMinimumWidth(lines_->fontMetrics().averageCharWidth() * 36);
    return box;
}

void TDoScripting::addMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Save"), this, &TDoScripting::saveIt);
    file->addAction(QStringLiteral("E&xit"), this, &TDoScripting::reject);
    QMenu* commands = bar->addMenu(QStringLiteral("C&ommands"));
    for (const MenuCommand& m : kMenuCommands) {
        QAction* a = commands->addAction(QString::fromLatin1(m.caption));
        connect(a, &QAction::triggered, this, [this, c = m.command] { appendFromMenu(c); });
    }
    bar->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&Help"), this, [this] {
        showHelp(this, latin1(kHelpKeyword));
    });
    static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

void TDoScripting::showLines() {
    lines_->blockSignals(true);
    lines_->clear();
    for (const script::ScriptLine& line : script_.lines()) lines_->addItem(fromCp1252(line.text));
    lines_->setCurrentRow(script_.selected());
    lines_->blockSignals(false);
    enableButtons();
}

void TDoScripting::enableButtons() {
    const script::LineButtons b = script_.EnableDisable();
    up_->setEnabled(b.up);
    down_->setEnabled(b.down);
    copy_->setEnabled(b.copy);
    edit_->setEnabled(b.edit);
    delete_->setEnabled(b.remove);
}

void TDoScripting::showCaption() {
    if (textFilePath_) return;
    setWindowTitle(fromCp1252(model_.caption(kCaption)));
}

void TDoScripting::addLine(script::AddPosition position) {
    const QListWidgetItem* item = commands_->currentItem();
    std::optional<int> command;
    if (item != nullptr && item->isSelected()) command = item->data(Qt::UserRole).toInt();
    runLineCommand(ReturnState{false, position, script_.selected()}, command);
}

void TDoScripting::appendFromMenu(int command) {
    fromMenu_ = true;
    script_.AddALine(script::AddPosition::Append, command, *this);
    fromMenu_ = false;
    showLines();
}

void TDoScripting::editLine() {
    runLineCommand(ReturnState{true, script::AddPosition::Append, script_.selected()}, {});
}

void TDoScripting::runLineCommand(const ReturnState& state, std::optional<int> command) {
    if (state.edit)
        script_.editLine(*this);
    else
        script_.AddALine(state.position, command, *this);
    showLines();
    if (!textFileRequest_) return;
    const std::string path = *textFileRequest_;
    textFileRequest_.reset();
    if (enterTextFile(path)) return_ = state;
}

void TDoScripting::runWizard() {
    TDoWizard wizard(
        [this](int command) {
            const bool added = script_.addFromWizard(command, *this);
            showLines();
            return added;
        },
        prompt_, this);
    wizard.exec();
    script_.SetIndents();
    showLines();
}

std::optional<script::LineValues> TDoScripting::runCommandDialog(int command, const script::Payload* current) {
    if (command == cmd::Text) {
        const auto* run = current != nullptr ? std::get_if<script::TextRun>(current) : nullptr;
        TModText editor(run != nullptr ? run->text : std::string(), context_, this);
        if (editor.exec() != QDialog::Accepted || !editor.saved()) return std::nullopt;
        return script::LineValues{cmd::Text, script::TextRun{editor.result()}};
    }
    if (command == cmd::DialUp && !(context_.dialUpAvailable && context_.dialUpAvailable())) {
        prompt_.messageBox("Warning", kDialUpMissingText, PromptButtons::Ok);
        return std::nullopt;
    }
    const std::unique_ptr<dialogs::DialogModel> model = script::makeLineDialog(command, current, context_.env);
    if (!model) return std::nullopt;
    std::unique_ptr<ModelForm> form;
    if (command == cmd::LoadTextFile && presetTextFile_)
        static_cast<dialogs::TDoTextInsert&>(*model).load({*presetTextFile_});
    if (command == cmd::LoadTextFile) {
        auto textForm = std::make_unique<TextInsertForm>(static_cast<dialogs::TDoTextInsert&>(*model), context_.env,
                                                         !fromMenu_ && !textFilePath_, this);
        connect(textForm.get(), &TextInsertForm::editInScriptingEditor, this,
                [this, f = textForm.get()](const QString& p) {
                    textFileRequest_ = p.toStdString();
                    f->reject();
                });
        form = std::move(textForm);
    } else {
        form = createModelForm(*model, context_.env, this, commandLists(context_));
    }
    if (!form || form->exec() != QDialog::Accepted) return std::nullopt;
    if (model->typeName() == "TDateOrTime" && context_.settingsChanged) context_.settingsChanged();
    return script::lineFromOutput(model->output());
}

std::string TDoScripting::scratchPath() const {
    const std::filesystem::path folder = context_.programDir.empty()
                                             ? std::filesystem::path(context_.iconsDir).parent_path()
                                             : std::filesystem::path(context_.programDir);
    return (folder / kScratchFile).string();
}

bool TDoScripting::enterTextFile(const std::string& path) {
    const std::optional<std::string> text = readWholeFile(path);
    if (!text) {
        prompt_.messageBox("Error", "Specified Path and Program does not exist.  Unable to open text file.",
                           PromptButtons::Ok);
        return false;
    }
    // The macro's script waits in the scratch file; the header is not checked for that, so a
    // macro whose header is not finished yet can still switch to a text file.
    if (!writeWholeFile(scratchPath(), script_.scriptText())) {
        prompt_.messageBox("Error", "Unable to write " + scratchPath() + ".", PromptButtons::Ok);
        return false;
    }
    textFilePath_ = path;
    header_->setVisible(false);
    header_->setEnabled(false);
    textFile_->setText(QStringLiteral("Edit Text File: ") + fromCp1252(path));
    textFile_->setVisible(true);
    setWindowTitle(QString::fromLatin1(kCaption));
    script_.clear();
    script_.BuildTheScript(*text);
    script_.SetIndents();
    showLines();
    return true;
}

void TDoScripting::leaveTextFile() {
    textFilePath_.reset();
    header_->setVisible(true);
    header_->setEnabled(true);
    textFile_->setVisible(false);
    script_.clear();
    if (const std::optional<std::string> text = readWholeFile(scratchPath())) script_.BuildTheScript(*text);
    script_.SetIndents();
    showLines();
    showCaption();
}

void TDoScripting::saveIt() {
    if (textFilePath_) {
        const std::string path = *textFilePath_;
        if (!writeWholeFile(path, script_.scriptText())) {
            prompt_.messageBox("Error", "Unable to write " + path + ".", PromptButtons::Ok);
            return;
        }
        leaveTextFile();
        // Back in the macro, the text-file dialog opens again on the file, so that the user can
        // confirm its line where it was being added or edited.
        if (const std::optional<ReturnState> back = std::exchange(return_, std::nullopt)) {
            script_.select(back->target);
            showLines();
            presetTextFile_ = path;
            runLineCommand(*back, cmd::LoadTextFile);
            presetTextFile_.reset();
        }
        return;
    }
    header_->commit();
    if (const std::optional<dialogs::Failure> problem = model_.headerProblem()) {
        // The lines stay as they are: the user corrects the header and saves again.
        prompt_.messageBox(problem->title, problem->message, PromptButtons::Ok);
        header_->fieldOf(problem->field)->setFocus();
        return;
    }
    model_.store(script_.SaveIt(), *context_.env.clock);
    saved_ = true;
    accept();
}

void TDoScripting::reject() {
    // "&Cancel", Esc and the close box leave a text file without writing it; the macro's script
    // comes back and the editor stays open.
    if (textFilePath_) {
        return_.reset();
        leaveTextFile();
        return;
    }
    QDialog::reject();
}

void TDoScripting::done(int result) {
    if (TAppSettings* s = context_.env.settings) {
        s->ScriptLeft = x();
        s->ScriptTop = y();
        s->ScriptWidth = width();
        s->ScriptHeight = height();
        if (context_.settingsChanged) context_.settingsChanged();
    }
    QDialog::done(result);
}

}  // namespace orv::gui
