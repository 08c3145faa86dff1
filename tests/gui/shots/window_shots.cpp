// Opens each command dialog form, the Scripting Editor, the Scripting Wizard and the small
// editor windows one after another on the current display, saves a PNG of each (window frame
// included) into the folder given, and prints one line per window: its name, its frame's size
// and whether it lies inside the screen. A looking aid for developers, not a test.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>
#include <QWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/dialog_registry.h"
#include "dialogs/window_dialogs.h"
#include "dialogs/dialog_env.h"
#include "editors/direct_editor.h"
#include "gui/dialogs/command_form.h"
#include "gui/dialogs/command_layouts.h"
#include "gui/dialogs/scripting_wizard_form.h"
#include "gui/forms/direct_editor_form.h"
#include "gui/forms/form_registry.h"
#include "gui/forms/scripting_editor.h"
#include "gui/forms/spec_wind_form.h"
#include "gui/model_form.h"

namespace {

using namespace orv;

// Lets the window manager map and decorate the window and Qt paint it.
void settle(QWidget& w) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 400) QApplication::processEvents(QEventLoop::AllEvents, 50);
    (void)w;
}

void shoot(QWidget& w, const QString& name, const QString& folder) {
    w.show();
    w.raise();
    w.activateWindow();
    settle(w);
    QScreen* screen = w.screen();
    const QRect frame = w.frameGeometry();
    const QRect avail = screen->geometry();
    const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    shot.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    QTextStream(stdout) << name << ' ' << frame.width() << 'x' << frame.height() << " at " << frame.x() << ','
                        << frame.y() << (avail.contains(frame) ? " fits" : " DOES NOT FIT") << '\n';
    w.hide();
}

void shootModelForm(dialogs::DialogModel& model, test::DialogFixture& fx, const QString& folder,
                    const gui::CommandLists& lists, const QString& suffix = {}) {
    model.show(fx.env);
    std::unique_ptr<gui::ModelForm> form = gui::createModelForm(model, fx.env, nullptr, lists);
    if (form == nullptr) {
        QTextStream(stdout) << QString::fromUtf8(model.typeName().data()) << " has no form\n";
        return;
    }
    shoot(*form, QString::fromUtf8(model.typeName().data(), model.typeName().size()) + suffix, folder);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots");
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(folder);
    test::DialogFixture fx;
    fx.desktop.shortcuts = {{"Text Editor.lnk", "/usr/bin/gedit"}, {"Calculator.lnk", "/usr/bin/gnome-calculator"}};
    const gui::CommandLists lists{{"Greeting", "Old Macro", "Sign Off"}, [] {
                                      return std::vector<std::string>{"firefox", "xterm"};
                                  }};
    for (const dialogs::DialogInfo& d : dialogs::dialogRegistry()) {
        const QString name = QString::fromUtf8(d.name.data(), static_cast<qsizetype>(d.name.size()));
        if (!only.isEmpty() && !name.contains(only)) continue;
        if (d.name == "TDoSpecWind") {
            for (const char* mode : {"title", "program"}) {
                dialogs::TDoSpecWind model;
                model.set("mode", mode);
                model.show(fx.env);
                gui::SpecWindForm form(model, fx.env, {"Untitled - Text Editor", "Terminal", "Calculator"});
                shoot(form, name + QLatin1Char('-') + QString::fromLatin1(mode), folder);
            }
            continue;
        }
        const std::unique_ptr<dialogs::DialogModel> model = d.make();
        if (gui::hasModelForm(d.name)) shootModelForm(*model, fx, folder, lists);
    }
    if (only.isEmpty() || only == QStringLiteral("TDoWizard")) {
        gui::TDoWizard wizard([](int) { return false; }, fx.prompt);
        shoot(wizard, QStringLiteral("TDoWizard"), folder);
    }
    if (only.isEmpty() || only == QStringLiteral("TDoScripting") || only == QStringLiteral("TModHotKeys")) {
        TMacroRecord buffer;
        buffer.Scope = kScopeGlobal;
        buffer.MacroText =
            "<WAITWIN:010:Untitled - Text Editor>Dear Sir,<ENTER><REP:0003:000001:000001>"
            "<MSD:0100><LCLK><ENDREP><TBOX:<HEAD:Done>All lines typed>";
        editors::DirectEditorModel model(buffer, {true, editors::EditorKind::HotKey, false, "Ctrl+H"}, fx.clock.now(),
                                         "");
        gui::EditorContext context;
        context.env = fx.env;
        if (only != QStringLiteral("TModHotKeys")) {
            gui::TDoScripting editor(model, context);
            shoot(editor, QStringLiteral("TDoScripting"), folder);
        }
        if (only != QStringLiteral("TDoScripting")) {
            gui::TModHotKeys direct(model, context);
            shoot(direct, QStringLiteral("TModHotKeys"), folder);
        }
    }
    return 0;
}
