#pragma once

// What a keyboard or screen-reader user meets in a window as it is shown now: access keys that
// clash or are missing, controls without an accessible name, a Tab order that jumps against the
// reading order, a window larger than a 1280x800 screen at scale 2.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace orv::test {

// The access key of a caption ("Sa&ve" -> 'v'), or 0.
inline QChar accessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toLower();
        ++i;
    }
    return {};
}

inline bool shownAndEnabled(const QWidget* w, const QWidget* window) {
    return w->isVisibleTo(window) && w->isEnabledTo(window) && w->isEnabled();
}

inline std::string describe(const QWidget* w) {
    std::string text = std::string(w->metaObject()->className()) + " " + w->objectName().toStdString();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) text += " \"" + b->text().toStdString() + "\"";
    if (const auto* l = qobject_cast<const QLabel*>(w)) text += " \"" + l->text().toStdString() + "\"";
    return text;
}

// A field, list or button the keyboard reaches (an edit inside a spin box or combo box is its
// owner's part).
inline bool isControl(const QWidget* w) {
    if (qobject_cast<const QAbstractSpinBox*>(w->parentWidget()) || qobject_cast<const QComboBox*>(w->parentWidget()))
        return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w);
}

// Access keys used twice among the shown, enabled controls, and fields whose label has none.
inline std::vector<std::string> accessKeyProblems(QWidget& window) {
    std::vector<std::string> problems;
    std::map<QChar, const QWidget*> owners;
    auto claim = [&](QChar key, const QWidget* w) {
        if (key.isNull()) return;
        auto [it, fresh] = owners.emplace(key, w);
        if (!fresh)
            problems.push_back("Alt+" + QString(key).toStdString() + " on " + describe(it->second) + " and " +
                               describe(w));
    };
    if (auto* bar = window.findChild<QMenuBar*>())
        for (QAction* a : bar->actions()) claim(accessKey(a->text()), bar);
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!shownAndEnabled(w, &window)) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) claim(accessKey(b->text()), w);
        if (auto* g = qobject_cast<QGroupBox*>(w); g != nullptr && g->isCheckable()) claim(accessKey(g->title()), w);
        auto* label = qobject_cast<QLabel*>(w);
        if (label == nullptr || label->buddy() == nullptr || !shownAndEnabled(label->buddy(), &window)) continue;
        const QChar key = accessKey(label->text());
        if (key.isNull()) problems.push_back("no access key: " + describe(label));
        claim(key, w);
    }
    return problems;
}

// Controls a screen reader cannot name.
inline std::vector<std::string> nameProblems(QWidget& window) {
    std::vector<std::string> problems;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || !isControl(w)) continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty())
            problems.push_back("no accessible name: " + describe(w));
    }
    return problems;
}

// Tab goes through the controls in reading order: each next one below the last, or on the same
// line to its right.
inline std::vector<std::string> tabOrderProblems(QWidget& window) {
    std::vector<std::string> problems;
    const QWidget* last = nullptr;
    QRect lastRect;
    for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
        if (!shownAndEnabled(w, &window) || !(w->focusPolicy() & Qt::TabFocus) || !isControl(w)) continue;
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        const bool below = r.top() >= lastRect.center().y();
        const bool rightOf =
            r.left() >= lastRect.right() && r.center().y() > lastRect.top() && r.center().y() < lastRect.bottom();
        if (last != nullptr && !below && !rightOf) problems.push_back(describe(last) + " then " + describe(w));
        last = w;
        lastRect = r;
    }
    return problems;
}

// The window's smallest size, in the pixels of a scale of 1, leaves room on a 1280x800 screen
// at scale 2 (640x400) for the window frame and a panel of about 30 screen pixels.
inline std::vector<std::string> sizeProblems(QWidget& window) {
    const QSize need = window.minimumSizeHint().expandedTo(window.minimumSize());
    if (need.width() <= 630 && need.height() <= 370) return {};
    return {"too large for 1280x800 at scale 2: " + std::to_string(need.width()) + "x" + std::to_string(need.height())};
}

// All of the above for the window in each of its modes (each radio button pressed in turn).
inline std::vector<std::string> keyboardProblems(QWidget& window, bool readingOrderTabs = true) {
    std::vector<std::string> all;
    auto check = [&] {
        auto add = [&](const std::vector<std::string>& found) { all.insert(all.end(), found.begin(), found.end()); };
        add(accessKeyProblems(window));
        add(nameProblems(window));
        if (readingOrderTabs) add(tabOrderProblems(window));
        add(sizeProblems(window));
    };
    check();
    for (QRadioButton* radio : window.findChildren<QRadioButton*>()) {
        if (!shownAndEnabled(radio, &window)) continue;
        radio->click();
        check();
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

}  // namespace orv::test
