#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "dialogs/dialog_model.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTreeWidget;

namespace orv::gui {

// A modal form over a dialog model. The subclass lays out the controls it asks for here; each
// control shows its field's value at once and gives it back on "&Ok", which then runs the
// model's checks: the first failure shows its message box, puts the focus on its control and
// keeps the form open; success closes the form as accepted. "&Cancel" and the close box leave
// the model's results alone.
class ModelForm : public QDialog {
    Q_OBJECT
public:
    ModelForm(dialogs::DialogModel& model, dialogs::DialogEnv env, QWidget* parent = nullptr);

    dialogs::DialogModel& model() { return model_; }
    const dialogs::DialogModel& model() const { return model_; }
    // "&Ok".
    void okClicked();
    // The control that shows a field (a choice: its chosen button), or nullptr.
    QWidget* control(const std::string& field) const;

protected:
    // Controls named after their field (a choice's button: the field, "_" and the choice).
    QLineEdit* textControl(const std::string& field);
    QCheckBox* checkControl(const std::string& field, const QString& caption);
    QRadioButton* choiceControl(const std::string& field, const std::string& choice, const QString& caption);
    // A drop-down list whose entries give the field their value (`values[i]` for `texts[i]`).
    QComboBox* comboControl(const std::string& field, const std::vector<QString>& texts,
                            const std::vector<std::string>& values);
    // A list of rows (one column per text of a row) whose current row gives the field its value;
    // no current row gives an empty value.
    QTreeWidget* listControl(const std::string& field, const std::vector<std::vector<QString>>& rows,
                             const std::vector<std::string>& values);
    // The control gives its field a value only while it is shown (one of several controls of a
    // field, each shown in its own mode of the dialog).
    void onlyWhenShown(QWidget* control);
    // "&Ok" and "&Cancel" in a row.
    QWidget* okCancelRow();

private:
    struct Binding {
        std::string field;
        std::string choice;  // choice buttons only
        QWidget* widget = nullptr;
        bool onlyWhenShown = false;
    };
    void copyIn();

    dialogs::DialogModel& model_;
    dialogs::DialogEnv env_;
    std::vector<Binding> bindings_;
    std::map<std::string, QButtonGroup*> choiceGroups_;
};

}  // namespace orv::gui
