// The application the end-to-end tests type into. It shows one window per --window argument,
// each with a text field, and writes one line to stdout for everything it receives:
//   window <index> <window id>              when the window is shown
//   key <index> <utf8 text as hex|-> <keysym> <modifiers>
//   release <keysym>
//   click <global x> <global y> <button>    for every press, the second one of a double click
//                                          included (Qt turns it into a double-click event)
//   closed <index>
//   text <index> <utf8 text as hex|->      with --report-text, the field's whole text after each
//                                          change (pasted text included)
// Hex keeps blanks and line breaks of the received text intact.
// With --stamped (for the benchmarks) it writes the bare key receiver's lines instead:
//   window <window id>
//   key <CLOCK_MONOTONIC ns> <utf8 text as hex|-> <keysym>
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QTextDocument>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>

#include <time.h>

#include <cstdio>
#include <vector>

namespace {

bool stamped = false;
bool reportText = false;

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void emitLine(const QByteArray& line) {
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class TargetWindow final : public QWidget {
public:
    TargetWindow(int index, const QString& title) : index_(index) {
        setWindowTitle(title);
        auto* layout = new QVBoxLayout(this);
        edit_ = new QPlainTextEdit(this);
        edit_->installEventFilter(this);
        edit_->viewport()->installEventFilter(this);
        if (reportText) {
            QObject::connect(edit_, &QPlainTextEdit::textChanged, this, [this] {
                const QByteArray text = edit_->document()->toRawText().toUtf8();
                emitLine("text " + QByteArray::number(index_) + ' ' +
                         (text.isEmpty() ? QByteArray("-") : text.toHex()));
            });
        }
        layout->addWidget(edit_);
        resize(400, 300);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QByteArray text = key->text().toUtf8();
            const QByteArray hex = text.isEmpty() ? QByteArray("-") : text.toHex();
            if (stamped) {
                emitLine("key " + QByteArray::number(monotonicNs()) + ' ' + hex + ' ' +
                         QByteArray::number(key->nativeVirtualKey()));
            } else {
                emitLine("key " + QByteArray::number(index_) + ' ' + hex + ' ' +
                         QByteArray::number(key->nativeVirtualKey()) + ' ' +
                         QByteArray::number(static_cast<int>(key->modifiers())));
            }
        } else if (event->type() == QEvent::KeyRelease) {
            emitLine("release " + QByteArray::number(static_cast<QKeyEvent*>(event)->nativeVirtualKey()));
        } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint global = mouse->globalPosition().toPoint();
            emitLine("click " + QByteArray::number(global.x()) + ' ' + QByteArray::number(global.y()) + ' ' +
                     QByteArray::number(static_cast<int>(mouse->button())));
        }
        return QWidget::eventFilter(watched, event);
    }
    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        if (!announced_) {
            announced_ = true;
            const QByteArray id = QByteArray::number(winId());
            emitLine(stamped ? QByteArray("window " + id)
                             : QByteArray("window " + QByteArray::number(index_) + ' ' + id));
        }
    }
    void closeEvent(QCloseEvent* event) override {
        emitLine("closed " + QByteArray::number(index_));
        QWidget::closeEvent(event);
    }

private:
    int index_;
    QPlainTextEdit* edit_ = nullptr;
    bool announced_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    std::vector<TargetWindow*> windows;
    const QStringList args = QApplication::arguments();
    stamped = args.contains(QStringLiteral("--stamped"));
    reportText = args.contains(QStringLiteral("--report-text"));
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QStringLiteral("--window")) {
            auto* w = new TargetWindow(static_cast<int>(windows.size()), args[++i]);
            windows.push_back(w);
            w->move(40 + 60 * static_cast<int>(windows.size()), 40 + 60 * static_cast<int>(windows.size()));
            w->show();
        }
    }
    const int status = QApplication::exec();
    for (auto* w : windows) delete w;
    return status;
}
