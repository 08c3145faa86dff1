#include "app/orvanta/termination.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

namespace orv {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    (void)!::write(signalPipe[1], &byte, 1);
}

bool blocksTheCaller(const QWidget* w) {
    return w->isWindow() && (w->isModal() || qobject_cast<const QMenu*>(w) != nullptr);
}

}  // namespace

TerminationSignals::TerminationSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (::read(signalPipe[0], &byte, 1) > 0) {
        }
        onSignal();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
    for (int& fd : signalPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

void TerminationSignals::onSignal() {
    if (requested_) return;
    requested_ = true;
    // A modal window runs an event loop of its own, and the code that opened it goes on only
    // once it is closed; so do windows opened from here on (quitting before the main loop runs
    // would not end theirs).
    qApp->installEventFilter(this);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && blocksTheCaller(w)) closeLater(w);
    if (action_) action_();
}

bool TerminationSignals::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (blocksTheCaller(w)) closeLater(w);
    }
    return false;
}

void TerminationSignals::closeLater(QWidget* window) {
    QTimer::singleShot(0, window, [window] {
        // Rejecting ends a dialog even where closing it is refused (a box without a cancel).
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        } else {
            window->close();
        }
    });
}

}  // namespace orv
