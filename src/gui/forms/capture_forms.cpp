#include "gui/forms/capture_forms.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"

namespace orv::gui {
namespace {

QCheckBox* check(QWidget* parent, const char* name, const QString& caption, bool on) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on);
    return box;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& caption, bool on) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setChecked(on);
    return button;
}

}  // namespace

CaptureOptionsBox::CaptureOptionsBox(const capture::CaptureChoices& c, bool defaultsDialog, QWidget* parent)
    : QWidget(parent), defaultsDialog_(defaultsDialog), initial_(c) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(keysAndMouse(c));
    layout->addWidget(timingAndScope(c));
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{keys_, mouse_, screen_, window_, position_, timing_})
        connect(b, &QAbstractButton::toggled, this, &CaptureOptionsBox::updateEnabling);
    updateEnabling();
}

QWidget* CaptureOptionsBox::keysAndMouse(const capture::CaptureChoices& c) {
    using capture::MouseOrigin;
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    keys_ = check(column, "CaptureKeystrokes", QStringLiteral("Capture &Keystrokes"), c.options.keystrokes);
    doubleAlt_ =
        check(column, "CaptureDoubleAlt", QStringLiteral("Capture &Double <ALT> for Menus"), c.options.doubleAlt);
    auto* mouseBox = new QGroupBox(column);
    mouseBox->setObjectName(QStringLiteral("MouseBox"));
    auto* m = new QVBoxLayout(mouseBox);
    mouse_ = check(mouseBox, "CaptureMouse",
                   defaultsDialog_ ? QStringLiteral("Capture &Mouse Relative To") : QStringLiteral("Capture &Mouse"),
                   c.options.mouse);
    screen_ = radio(mouseBox, "Screen", QStringLiteral("Sc&reen"), c.options.origin == MouseOrigin::Screen);
    window_ = radio(mouseBox, "Window", QStringLiteral("&Window"), c.options.origin == MouseOrigin::Window);
    position_ = radio(mouseBox, "Position", QStringLiteral("Positio&n"), c.options.origin == MouseOrigin::Position);
    clicksOnly_ =
        check(mouseBox, "CaptureClicksOnly", QStringLiteral("Onl&y Capture Mouse Clicks"), c.options.clicksOnly);
    windowSize_ = check(mouseBox, "CaptureWindowSize", QStringLiteral("Capture Window Si&ze"), c.windowSize);
    m->addWidget(mouse_);
    auto* origins = new QVBoxLayout;
    origins->setContentsMargins(20, 0, 0, 0);
    for (QWidget* w :
         {static_cast<QWidget*>(screen_), static_cast<QWidget*>(window_), static_cast<QWidget*>(position_)})
        origins->addWidget(w);
    m->addLayout(origins);
    m->addWidget(clicksOnly_);
    m->addWidget(windowSize_);
    v->addWidget(keys_);
    v->addWidget(doubleAlt_);
    v->addWidget(mouseBox);
    v->addStretch();
    return column;
}

QWidget* CaptureOptionsBox::timingAndScope(const capture::CaptureChoices& c) {
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    auto* speedBox = new QGroupBox(column);
    speedBox->setObjectName(QStringLiteral("SpeedBox"));
    auto* s = new QVBoxLayout(speedBox);
    timing_ = check(speedBox, "CaptureAt", QStringLiteral("Captur&e At"), c.options.timing);
    s->addWidget(timing_);
    const std::array<std::pair<const char*, QString>, 4> speeds = {{
        {"ActualSpeed", QStringLiteral("&Actual Speed")},
        {"HalfSpeed", QStringLiteral("&Half Speed")},
        {"DoubleSpeed", QStringLiteral("Do&uble Speed")},
        {"QuadrupleSpeed", QStringLiteral("&Quadruple Speed")},
    }};
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        speeds_[i] = radio(speedBox, speeds[i].first, speeds[i].second, c.speed == static_cast<int>(i) + 1);
        s->addWidget(speeds_[i]);
    }
    auto* scopeBox = new QGroupBox(QStringLiteral("Scope"), column);
    scopeBox->setObjectName(QStringLiteral("ScopeBox"));
    auto* g = new QVBoxLayout(scopeBox);
    global_ = radio(scopeBox, "Global", QStringLiteral("&Global"), c.global);
    program_ = radio(scopeBox, "Program", QStringLiteral("&Program"), !c.global);
    g->addWidget(global_);
    g->addWidget(program_);
    v->addWidget(speedBox);
    v->addWidget(scopeBox);
    v->addStretch();
    return column;
}

void CaptureOptionsBox::updateEnabling() {
    const capture::OptionEnabling e = capture::enablingOf(choices(), defaultsDialog_);
    screen_->setEnabled(e.screenWindow);
    window_->setEnabled(e.screenWindow);
    position_->setEnabled(e.position);
    clicksOnly_->setEnabled(e.clicksOnly);
    windowSize_->setEnabled(e.windowSize);
    doubleAlt_->setEnabled(e.doubleAlt);
    for (QRadioButton* speed : speeds_) speed->setEnabled(e.speeds);
}

capture::CaptureChoices CaptureOptionsBox::choices() const {
    using capture::MouseOrigin;
    capture::CaptureChoices c = initial_;
    c.options.keystrokes = keys_->isChecked();
    c.options.doubleAlt = doubleAlt_->isChecked();
    c.options.mouse = mouse_->isChecked();
    c.options.origin = window_->isChecked()     ? MouseOrigin::Window
                       : position_->isChecked() ? MouseOrigin::Position
                                                : MouseOrigin::Screen;
    c.options.clicksOnly = clicksOnly_->isChecked();
    c.windowSize = windowSize_->isChecked();
    c.options.timing = timing_->isChecked();
    for (std::size_t i = 0; i < speeds_.size(); ++i)
        if (speeds_[i]->isChecked()) c.speed = static_cast<int>(i) + 1;
    c.global = global_->isChecked();
    return c;
}

void CaptureOptionsBox::refuseGlobal() {
    program_->setChecked(true);
    global_->setEnabled(false);
}

TCaptureDefaults::TCaptureDefaults(TAppSettings& settings, std::function<void()> save, QWidget* parent)
    : QDialog(parent), settings_(settings), save_(std::move(save)) {
    setObjectName(QStringLiteral("TCaptureDefaults"));
    setWindowTitle(QStringLiteral("Capture Defaults"));
    const capture::CaptureChoices choices = capture::choicesFromSettings(settings);
    options_ = new CaptureOptionsBox(choices, true, this);
    prompt_ = check(this, "PromptOnCapture", QStringLiteral("P&rompt on Capture"), choices.prompt);
    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Capture Defaults"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(options_);
    layout->addWidget(prompt_);
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, &TCaptureDefaults::okClick);
}

void TCaptureDefaults::okClick() {
    capture::CaptureChoices choices = options_->choices();
    choices.prompt = prompt_->isChecked();
    capture::storeChoices(choices, settings_);
    if (save_) save_();
    accept();
}

}  // namespace orv::gui
