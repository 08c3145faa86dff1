#pragma once

#include <QObject>
#include <functional>

namespace orv {

// SIGTERM, SIGINT and SIGHUP end the program as its Terminate command does, whatever window
// is open: the signal handler only writes to a pipe that the event loop watches; the request
// then closes every modal window and popup menu (and each one opened after it), so that the
// code that showed it returns, and runs the action that ends the program.
class TerminationSignals final : public QObject {
public:
    TerminationSignals();
    ~TerminationSignals() override;

    // What ends the program (before the main window exists: nothing more than the closing).
    void setAction(std::function<void()> action) { action_ = std::move(action); }
    // A signal has asked the program to end.
    bool requested() const { return requested_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onSignal();
    static void closeLater(QWidget* window);

    std::function<void()> action_;
    bool requested_ = false;
};

}  // namespace orv
