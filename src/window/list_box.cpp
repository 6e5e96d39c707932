#include "window/list_box.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <stdexcept>
#include <string>

namespace kvt {

namespace {
// Rows as tall as the original list boxes': the switch lists show about three items, the
// intensity lists two.
constexpr int kRowHeight = 13;

// Left unhandled, the press goes on to the window, whose context menu it opens.
bool leave_to_window(QMouseEvent& event) {
  if (event.button() != Qt::RightButton) return false;
  event.ignore();
  return true;
}
}  // namespace

ListBox::ListBox(std::span<const ListItem> items, QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setUniformItemSizes(true);
  for (const ListItem& entry : items) {
    auto* item = new QListWidgetItem(
        QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size())), this);
    item->setData(Qt::UserRole, static_cast<int>(entry.value));
    item->setSizeHint(QSize(0, kRowHeight));
  }
}

int ListBox::selected_position() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? kNoSelection : rows.first().row();
}

void ListBox::set_selected_position(int position) {
  if (position < 0 || position >= count()) {
    selectionModel()->clear();
    return;
  }
  setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
}

std::int16_t ListBox::item_value(int position) const {
  const QListWidgetItem* entry = item(position);
  if (entry == nullptr) {
    throw std::out_of_range(objectName().toStdString() + " has no item at position " +
                            std::to_string(position));
  }
  return static_cast<std::int16_t>(entry->data(Qt::UserRole).toInt());
}

void ListBox::mousePressEvent(QMouseEvent* event) {
  if (!leave_to_window(*event)) QListWidget::mousePressEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (!leave_to_window(*event)) QListWidget::mouseReleaseEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!leave_to_window(*event)) QListWidget::mouseDoubleClickEvent(event);
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
  if (!index.isValid()) {
    return QItemSelectionModel::NoUpdate;
  }
  const auto command = QListWidget::selectionCommand(index, event);
  const bool unselects =
      command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle);
  if (unselects && selectionModel()->isSelected(index)) {
    return QItemSelectionModel::NoUpdate;
  }
  return command;
}

}  // namespace kvt
