#pragma once

#include <QDialog>
#include <array>

#include "mainwin/list_dialogs.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace orv::gui {

// "Sort Order": the primary, activation and scope orders as three lists with Up and Down
// buttons, and "&Enable right clicking on column headers". "&Ok" leaves the new order in the
// model and accepts; "&Cancel" leaves the model alone.
class TSortOrder final : public QDialog {
    Q_OBJECT
public:
    TSortOrder(SortOrderModel& model, QWidget* parent = nullptr);

private:
    QWidget* listGroup(SortOrderModel::List list, const QString& title);
    void fill(SortOrderModel::List list, int selected);
    void updateButtons(SortOrderModel::List list);

    SortOrderModel& model_;
    SortOrderModel edited_;
    std::array<QListWidget*, 3> lists_{};
    std::array<QPushButton*, 3> ups_{};
    std::array<QPushButton*, 3> downs_{};
    QCheckBox* header_ = nullptr;
};

}  // namespace orv::gui
