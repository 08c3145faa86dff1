#pragma once

#include <QDialog>
#include <functional>

namespace orv {
class IUserPrompt;
}

namespace orv::gui {

// "Scripting Wizard" (TDoWizard): four pages of buttons, one per command. A button asks the
// Scripting Editor to append that command through its dialog (`add` returns whether a line was
// added); after a line was added the user is asked whether to go on, and No closes the wizard.
// Alt and a button's underlined letter press it on the current page; "E&xit" closes.
class TDoWizard final : public QDialog {
    Q_OBJECT
public:
    TDoWizard(std::function<bool(int command)> add, IUserPrompt& prompt, QWidget* parent = nullptr);

private:
    void pressed(int command);

    std::function<bool(int)> add_;
    IUserPrompt& prompt_;
};

}  // namespace orv::gui
