#include "window/list_box.h"

#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
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
  // The blank below the last whole row is the list's own white, not the window behind it.
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  for (const ListItem& entry : items) {
    auto* item = new QListWidgetItem(QString::fromUtf8(entry.text), this);
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
  // Selected without becoming the current row: a screen reader takes a new current row for a
  // move of the focus, and a load sets some twenty lists. A list that has the focus goes on from
  // the new selection at the next key; a hidden list scrolls it into view when it is shown.
  const QModelIndex row = model()->index(position, 0);
  selectionModel()->select(row, QItemSelectionModel::ClearAndSelect);
  if (currentIndex().isValid()) {
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  scrollTo(row);
}

void ListBox::current_from_selection() {
  if (currentIndex().isValid()) return;
  const QModelIndexList rows = selectionModel()->selectedRows();
  if (!rows.isEmpty()) {
    selectionModel()->setCurrentIndex(rows.first(), QItemSelectionModel::NoUpdate);
  }
}

void ListBox::focusInEvent(QFocusEvent* event) {
  current_from_selection();
  QListWidget::focusInEvent(event);
}

void ListBox::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  // A menu or another window taking the focus for a moment leaves the user at work here.
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  current_from_selection();
  QListWidget::keyPressEvent(event);
}

void ListBox::showEvent(QShowEvent* event) {
  QListWidget::showEvent(event);
  const QModelIndexList rows = selectionModel()->selectedRows();
  if (!rows.isEmpty()) scrollTo(rows.first());
}

void ListBox::resizeEvent(QResizeEvent* event) {
  show_whole_rows();
  QListWidget::resizeEvent(event);
}

void ListBox::show_whole_rows() {
  const int inside = height() - 2 * frameWidth();
  const int rows = std::max(1, inside / kRowHeight);
  setViewportMargins(0, 0, 0, std::max(0, inside - rows * kRowHeight));
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
