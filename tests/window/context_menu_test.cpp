// A right press anywhere opens a menu and changes nothing: not a selection, not the row the
// keyboard goes on from, not a value saved to a file.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "model/switch_rows.h"
#include "model/tables.h"
#include "tests/window/counting_form.h"
#include "worked_example.h"

namespace kvt {
namespace {

enum class Menu { Window, Edit };

struct Target {
  const char* name;  // the control's object name
  bool is_list;
  Menu menu;
};

void PrintTo(const Target& t, std::ostream* os) { *os << t.name; }

// Everything a right press could disturb.
struct Snapshot {
  std::vector<int> selected, current;
  std::vector<std::string> texts;
  bool ticked = false;
  std::string saved_file;
  int handler_runs = 0;
  bool operator==(const Snapshot&) const = default;
};

void PrintTo(const Snapshot& s, std::ostream* os) {
  *os << "selected";
  for (int position : s.selected) *os << ' ' << position;
  *os << ", ticked " << s.ticked << ", handler runs " << s.handler_runs << ", file "
      << s.saved_file;
}

// The worked example opened in a shown window: SW1 on "B" "3", independent lighting on.
class RightPress : public ::testing::TestWithParam<Target> {
 protected:
  RightPress() {
    form.load();
    form.show();
    const std::string file = dir.filePath("LOBBY 2.kvc").toStdString();
    std::ofstream(file, std::ios::binary) << testing::kWorkedExampleLine;
    form.open_file(file);
  }

  QListWidget& list(const char* name) { return *form.findChild<QListWidget*>(name); }

  // Where the technician points: for a list, a row it shows but has not selected.
  QPoint point_in_window(const Target& target) {
    if (!target.is_list) {
      auto* control = form.findChild<QWidget*>(target.name);
      return control->mapTo(&form, control->rect().center());
    }
    QListWidget& box = list(target.name);
    for (int row = 0; row < box.count(); ++row) {
      const QRect rect = box.visualItemRect(box.item(row));
      if (!box.item(row)->isSelected() && box.viewport()->rect().contains(rect)) {
        return box.viewport()->mapTo(&form, rect.center());
      }
    }
    ADD_FAILURE() << "no other row in view";
    return {};
  }

  Snapshot snapshot() {
    Snapshot s;
    for (int number = 1; number <= 22; ++number) {
      QListWidget& box = list(QStringLiteral("List%1").arg(number).toLatin1().constData());
      s.selected.push_back(form.selected(number));
      s.current.push_back(box.currentRow());
    }
    for (int box = kPanelNameBox; box <= designation_box(kSwitchCount); ++box) {
      s.texts.push_back(form.text(box));
    }
    s.ticked = form.ticked();
    const std::string path = dir.filePath("snapshot.kvc").toStdString();
    form.recorder().answer_with(path);
    form.findChild<QAbstractButton*>("WRITE_FILE")->click();
    s.saved_file = testing::file_bytes(path);
    s.handler_runs = form.all_list_runs() + form.check1_runs;
    return s;
  }

  QTemporaryDir dir;
  testing::CountingForm1 form;
};

bool has_entry(const QMenu& menu, const QString& text) {
  for (const QAction* action : menu.actions()) {
    // "&Copy\tCtrl+C": the words without the mnemonic and the shortcut.
    if (action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) == text) {
      return true;
    }
  }
  return false;
}

TEST_P(RightPress, OpensAMenuAndChangesNothing) {
  const Target target = GetParam();
  const Snapshot before = snapshot();
  const QPoint where = point_in_window(target);

  QTest::mousePress(form.windowHandle(), Qt::RightButton, {}, where);
  QTest::mouseRelease(form.windowHandle(), Qt::RightButton, {}, where);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr) << "no menu opened";
  if (target.menu == Menu::Window) {
    EXPECT_TRUE(has_entry(*menu, QStringLiteral("SERIAL PORT")));
  } else {
    EXPECT_TRUE(has_entry(*menu, QStringLiteral("Copy")));
    EXPECT_TRUE(has_entry(*menu, QStringLiteral("Paste")));
  }
  QTest::keyClick(menu, Qt::Key_Escape);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(form.recorder().messages().empty());
  if (target.is_list) {
    // The keyboard goes on from the selected row, as before the menu.
    QListWidget& box = list(target.name);
    const int selected = box.row(box.selectedItems().value(0));
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(box.currentRow(), selected + 1);
    EXPECT_EQ(box.selectedItems().value(0), box.item(selected + 1));
  }
}

INSTANTIATE_TEST_SUITE_P(Controls, RightPress,
                         ::testing::Values(Target{"List1", true, Menu::Window},    // SW1 module
                                           Target{"List2", true, Menu::Window},    // SW1 channel
                                           Target{"List21", true, Menu::Window},   // indicator
                                           Target{"Check1", false, Menu::Window},  // tick box
                                           Target{"READ_CONFIG", false, Menu::Window},
                                           Target{"Text3", false, Menu::Edit},   // SW1's box
                                           Target{"Text2", false, Menu::Edit}),  // panel name
                         [](const auto& info) { return std::string(info.param.name); });

class RightPressOnFocusedList : public RightPress {};

// The list the keyboard user works in keeps its current row, their place, while the menu is open
// and after it has closed.
TEST_P(RightPressOnFocusedList, KeepsTheCurrentRow) {
  const Target target = GetParam();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QListWidget& box = list(target.name);
  box.setFocus(Qt::TabFocusReason);
  const int place = box.currentRow();
  ASSERT_GE(place, 0);
  const QPoint where = point_in_window(target);

  QTest::mousePress(form.windowHandle(), Qt::RightButton, {}, where);
  QTest::mouseRelease(form.windowHandle(), Qt::RightButton, {}, where);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr) << "no menu opened";
  EXPECT_EQ(box.currentRow(), place) << "while the menu is open";
  QTest::keyClick(menu, Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), &box);
  EXPECT_EQ(box.currentRow(), place) << "after the menu closed";
}

INSTANTIATE_TEST_SUITE_P(Lists, RightPressOnFocusedList,
                         ::testing::Values(Target{"List1", true, Menu::Window},    // SW1 module
                                           Target{"List21", true, Menu::Window}),  // indicator
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt

namespace kvt {
namespace {

struct KeyEntry {
  const char* entry;
  QKeySequence keys;
};

void PrintTo(const KeyEntry& k, std::ostream* os) { *os << k.entry; }

// The context menu as it opens over the loaded window, on a desktop whose habit is to leave keys
// out of menus.
class ContextMenu : public ::testing::Test {
 protected:
  ContextMenu() {
    QCoreApplication::setAttribute(Qt::AA_DontShowShortcutsInContextMenus, true);
    form.load();
    form.show();
    menu = qobject_cast<QMenu*>(testing::right_click(form)->parentWidget());
  }
  ~ContextMenu() override {
    QCoreApplication::setAttribute(Qt::AA_DontShowShortcutsInContextMenus, false);
    if (menu != nullptr) menu->close();
  }

  QAction* entry(const QString& text) {
    for (QAction* action : menu->actions()) {
      if (action->text() == text) return action;
    }
    return nullptr;
  }

  testing::CountingForm1 form;
  QMenu* menu = nullptr;
};

class MenuKeys : public ContextMenu, public ::testing::WithParamInterface<KeyEntry> {};

// Each key of the window has its entry, and the entry shows the key beside it.
TEST_P(MenuKeys, StandBesideTheirEntries) {
  ASSERT_NE(menu, nullptr);
  QAction* action = entry(QString::fromUtf8(GetParam().entry));
  ASSERT_NE(action, nullptr) << GetParam().entry;
  EXPECT_EQ(action->shortcut(), GetParam().keys);
  EXPECT_TRUE(action->isShortcutVisibleInContextMenu());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MenuKeys,
    ::testing::Values(KeyEntry{"OPEN CONFIGURATION FILE...", QKeySequence(Qt::CTRL | Qt::Key_O)},
                      KeyEntry{"SAVE CONFIGURATION FILE...", QKeySequence(Qt::CTRL | Qt::Key_S)},
                      KeyEntry{"PRINT CONFIGURATION SHEET...", QKeySequence(Qt::CTRL | Qt::Key_P)},
                      KeyEntry{"QUIT", QKeySequence(Qt::CTRL | Qt::Key_Q)}),
    [](const auto& info) {
      return info.param.keys.toString().remove(QLatin1Char('+')).toStdString();
    });

// No key of the window is left out of the menu but the one that opens it.
TEST_F(ContextMenu, HoldsEveryKeyOfTheWindow) {
  ASSERT_NE(menu, nullptr);
  const QKeySequence menu_key(Qt::SHIFT | Qt::Key_F10);
  for (QAction* action : form.actions()) {
    if (action->shortcut().isEmpty() || action->shortcut() == menu_key) continue;
    EXPECT_TRUE(menu->actions().contains(action)) << action->shortcut().toString().toStdString();
  }
}

}  // namespace
}  // namespace kvt
