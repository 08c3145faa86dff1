#include "gui/forms/macro_memo.h"

#include <QTextBlock>
#include <QTextCursor>

#include "editors/memo_editor.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

// Stored text to the memo's: CR LF and single CRs become line feeds.
QString toMemo(const std::string& stored) {
    QString text = fromCp1252(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string memoOf(const std::string& stored) {
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') continue;
        out += stored[i] == '\r' ? '\n' : stored[i];
    }
    return out;
}

bool storable(QChar c) { return unicodeToCp1252(c.unicode()) >= 0; }

}  // namespace

MacroMemo::MacroMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("NewFormat"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { sanitize(position, added); });
}

void MacroMemo::setStoredText(const std::string& text) {
    original_ = text;
    setPlainText(toMemo(text));
}

std::string MacroMemo::memoText() const {
    // The raw text keeps no-break spaces, which the plain text would turn into blanks.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return toCp1252(text);
}

std::string MacroMemo::storedText() const {
    // What the user left as it was shown keeps its bytes (a lone CR or LF included).
    const std::string shown = memoText();
    if (shown == memoOf(original_)) return original_;
    std::string out;
    for (char c : shown) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void MacroMemo::sanitize(int position, int added) {
    if (sanitizing_ || added <= 0) return;
    sanitizing_ = true;
    QTextCursor cursor(document());
    const int end = std::min(position + added, document()->characterCount() - 1);
    for (int at = position; at < end;) {
        const QChar c = document()->characterAt(at);
        // A character outside the code page, or half of a pair that makes one.
        int bad = 0;
        if (c.isHighSurrogate() && document()->characterAt(at + 1).isLowSurrogate())
            bad = 2;
        else if (c != QChar::ParagraphSeparator && c != QChar::LineSeparator && !storable(c))
            bad = 1;
        if (bad == 0) {
            ++at;
            continue;
        }
        cursor.setPosition(at);
        cursor.setPosition(at + bad, QTextCursor::KeepAnchor);
        cursor.insertText(QStringLiteral("?"));
        ++at;
    }
    sanitizing_ = false;
}

bool MacroMemo::insertStored(const std::string& text, IUserPrompt& prompt) {
    if (!editors::CheckSize(prompt, storedText().size(), text.size())) return false;
    QTextCursor cursor = textCursor();
    cursor.setPosition(cursor.selectionStart());
    cursor.insertText(toMemo(text));
    setTextCursor(cursor);
    setFocus();
    return true;
}

void MacroMemo::replaceAll(const std::string& memoText) {
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(fromCp1252(memoText));
}

void MacroMemo::selectRange(std::size_t start, std::size_t length) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    setFocus();
}

}  // namespace orv::gui
