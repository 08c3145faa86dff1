#pragma once

#include <QPlainTextEdit>
#include <string>

namespace orv {
class IUserPrompt;
}

namespace orv::gui {

// The memo of the editors: a macro's text as it is stored (Windows-1252, line breaks as CR LF)
// shown for free typing. A character the stored text cannot hold, typed or pasted, turns into
// "?" at once, where the user sees it.
class MacroMemo final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MacroMemo(QWidget* parent = nullptr);

    // Shows a stored text.
    void setStoredText(const std::string& text);
    // The text as it would be stored: the text shown unchanged when it is still what was shown.
    std::string storedText() const;
    // The text with line breaks as single LF characters: its positions are the memo's.
    std::string memoText() const;

    // "CheckSize" and "SetIt": inserts `text` (stored form) in front of the selection, when the
    // stored text stays within the limit; the caret goes after it and the memo gets the focus.
    bool insertStored(const std::string& text, IUserPrompt& prompt);
    // Replaces the whole text as one undoable edit (Search and Replace).
    void replaceAll(const std::string& memoText);
    // Selects `length` characters from `start`.
    void selectRange(std::size_t start, std::size_t length);

private:
    void sanitize(int position, int added);

    std::string original_;
    bool sanitizing_ = false;
};

}  // namespace orv::gui
