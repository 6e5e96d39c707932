#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/window/counting_form.h"
#include "tests/window/qt_printing.h"

namespace {

using kvt::testing::CountingForm1;

enum class Kind { Button, List, LineEdit, StatusBox, Label, CheckBox, Frame, Line, Picture };

enum class Font { Window, SansRegular, ArialBold, ArialSmall };

struct ControlCase {
  std::string name;
  Kind kind;
  QRect geometry;  // logical pixels, relative to the parent (Frame1 for its controls)
  bool visible;
  std::string text;
  std::string tooltip;
  Font font;
};

void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.name; }

bool has_kind(QWidget* widget, Kind kind) {
  switch (kind) {
    case Kind::Button:
      return qobject_cast<QPushButton*>(widget) != nullptr;
    case Kind::List:
      return qobject_cast<QListWidget*>(widget) != nullptr;
    case Kind::LineEdit:
      return qobject_cast<QLineEdit*>(widget) != nullptr;
    case Kind::StatusBox:
      return qobject_cast<QPlainTextEdit*>(widget) != nullptr;
    case Kind::Label:
      return qobject_cast<QLabel*>(widget) != nullptr;
    case Kind::CheckBox:
      return qobject_cast<QCheckBox*>(widget) != nullptr;
    case Kind::Frame:
      return qobject_cast<QGroupBox*>(widget) != nullptr;
    case Kind::Line:
      return qobject_cast<QFrame*>(widget) != nullptr;
    case Kind::Picture:
      return widget->inherits("kvt::PanelPicture");
  }
  return false;
}

QString shown_text(QWidget* widget) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  if (auto* status = qobject_cast<QPlainTextEdit*>(widget)) return status->toPlainText();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
  return QString();
}

struct FontExpectation {
  const char* family;
  double point_size;
  bool bold;
};

FontExpectation expected_font(Font font) {
  switch (font) {
    case Font::Window:
      return {"MS Sans Serif", 8.25, true};
    case Font::SansRegular:
      return {"MS Sans Serif", 8.25, false};
    case Font::ArialBold:
      return {"Arial", 9.75, true};
    case Font::ArialSmall:
      return {"Arial", 8.25, false};
  }
  return {};
}

std::vector<ControlCase> control_cases() {
  std::vector<ControlCase> cases = {
      {"READ_CONFIG",
       Kind::Button,
       {552, 40, 169, 57},
       true,
       "READ CONFIGURATION FROM SWITCH PANEL",
       "LEFT CLICK TO READ CONFIG IN SWITCH PANEL",
       Font::ArialBold},
      {"WRITE_CONFIG",
       Kind::Button,
       {552, 136, 169, 57},
       true,
       "WRITE CONFIGURATION TO SWITCH PANEL",
       "LEFT CLICK TO SAVE CONFIG IN SWITCH PANEL",
       Font::ArialBold},
      {"READ_FILE",
       Kind::Button,
       {16, 40, 161, 57},
       true,
       "OPEN CONFIGURATION FILE",
       "LEFT CLICK TO OPEN CONFIG FILE",
       Font::ArialBold},
      {"WRITE_FILE",
       Kind::Button,
       {16, 128, 161, 57},
       true,
       "SAVE CONFIGURATION FILE",
       "LEFT CLICK TO SAVE CONFIG FILE",
       Font::ArialBold},
      {"Label6", Kind::Label, {320, 448, 97, 17}, true, "PANEL NAME", "", Font::SansRegular},
      {"Text2",
       Kind::LineEdit,
       {320, 464, 97, 19},
       true,
       "",
       "ENTER IDENTITY FOR FILE NAME",
       Font::SansRegular},
      {"Text1", Kind::StatusBox, {256, 40, 217, 41}, false, "Text1\n", "", Font::ArialSmall},
      {"Frame1", Kind::Frame, {552, 344, 169, 153}, true, "SPECIAL FEATURES:", "", Font::ArialBold},
      {"Check1",
       Kind::CheckBox,
       {0, 24, 161, 33},
       true,
       "INDEPENDENT LIGHTING",
       "",
       Font::ArialBold},
      {"List21", Kind::List, {0, 64, 49, 30}, true, "", "", Font::Window},
      {"Label15",
       Kind::Label,
       {56, 64, 97, 33},
       true,
       "INDICATOR INTENSITY (%)",
       "",
       Font::ArialBold},
      {"Label16",
       Kind::Label,
       {56, 104, 97, 33},
       true,
       "BACK-LIGHT INTENSITY (%)",
       "",
       Font::ArialBold},
      {"List22", Kind::List, {552, 448, 49, 30}, true, "", "", Font::Window},
      {"Label14",
       Kind::Label,
       {48, 392, 97, 41},
       true,
       "PROGRAMMING       HEADER           LOCATION",
       "",
       Font::Window},
      {"Line1", Kind::Line, {144, 408, 73, 1}, true, "", "", Font::Window},
      {"Shape1", Kind::Line, {216, 376, 41, 65}, true, "", "", Font::Window},
      {"Image1", Kind::Picture, {208, 24, 313, 473}, true, "", "", Font::Window},
  };

  // Per switch: label, module list, channel list and designation box, in pixels.
  struct SwitchPixels {
    const char* label;
    QPoint label_at, module_at, channel_at, box_at;
  };
  const SwitchPixels switches[10] = {
      {"Label2", {224, 112}, {256, 104}, {312, 104}, {256, 88}},
      {"Label3", {480, 112}, {376, 104}, {432, 104}, {376, 88}},
      {"Label4", {224, 184}, {256, 176}, {312, 176}, {256, 160}},
      {"Label5", {480, 184}, {376, 176}, {432, 176}, {376, 160}},
      {"Label8", {224, 256}, {256, 248}, {312, 248}, {256, 232}},
      {"Label9", {480, 256}, {376, 248}, {432, 248}, {376, 232}},
      {"Label10", {224, 328}, {256, 320}, {312, 320}, {256, 304}},
      {"Label11", {480, 328}, {376, 320}, {432, 320}, {376, 304}},
      {"Label12", {224, 400}, {256, 392}, {312, 392}, {256, 376}},
      {"Label13", {480, 400}, {376, 392}, {432, 392}, {376, 376}},
  };
  for (int k = 1; k <= 10; ++k) {
    const SwitchPixels& sw = switches[k - 1];
    const std::string name = "SW" + std::to_string(k);
    cases.push_back({sw.label, Kind::Label, QRect(sw.label_at, QSize(k == 10 ? 35 : 28, 13)), true,
                     name, "", Font::Window});
    cases.push_back({"List" + std::to_string(2 * k - 1), Kind::List,
                     QRect(sw.module_at, QSize(57, 43)), true, "", name + " MODULE ASSIGNMENT",
                     Font::SansRegular});
    cases.push_back({"List" + std::to_string(2 * k), Kind::List,
                     QRect(sw.channel_at, QSize(41, 43)), true, "", name + " CHANNEL ASSIGNMENT",
                     Font::SansRegular});
    cases.push_back({"Text" + std::to_string(k + 2), Kind::LineEdit,
                     QRect(sw.box_at, QSize(97, 19)), true, "DESIGNATION ",
                     "ENTER " + name + " FUNCTION", Font::Window});
  }
  return cases;
}

class ControlLayout : public ::testing::TestWithParam<ControlCase> {
 protected:
  CountingForm1 form;
};

TEST_P(ControlLayout, StandsWhereTheLayoutPutsIt) {
  const ControlCase& c = GetParam();
  auto* widget = form.findChild<QWidget*>(QString::fromStdString(c.name));
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(has_kind(widget, c.kind));
  EXPECT_EQ(widget->geometry(), c.geometry);
  EXPECT_EQ(widget->isVisibleTo(&form), c.visible);
  EXPECT_EQ(shown_text(widget).toStdString(), c.text);
  EXPECT_EQ(widget->toolTip().toStdString(), c.tooltip);

  const FontExpectation font = expected_font(c.font);
  EXPECT_EQ(widget->font().family(), QString::fromLatin1(font.family));
  EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), font.point_size);
  EXPECT_EQ(widget->font().bold(), font.bold);
}

INSTANTIATE_TEST_SUITE_P(EveryControl, ControlLayout, ::testing::ValuesIn(control_cases()),
                         [](const auto& info) { return info.param.name; });

TEST(WindowLayout, HasItsTitleAndAFixedClientArea) {
  CountingForm1 form;
  EXPECT_EQ(form.windowTitle(),
            QStringLiteral("TQ KVT 10 BUTTON DIMMABLE SWITCH PANEL CONFIGURATION PROGRAM"));
  EXPECT_EQ(form.size(), QSize(736, 528));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_EQ(form.windowIcon().pixmap(40, 40).size(), QSize(40, 40));
}

TEST(WindowLayout, LayoutFontsAreDrawnWithLiberationSans) {
  CountingForm1 form;
  for (const char* name : {"Text3", "Text2", "READ_CONFIG", "Text1"}) {
    auto* widget = form.findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(QFontInfo(widget->font()).family(), QStringLiteral("Liberation Sans")) << name;
  }
}

TEST(WindowLayout, StartsInTheStoredStateBeforeTheLoadHandling) {
  CountingForm1 form;
  EXPECT_TRUE(form.ticked());
  for (int list = 1; list <= 22; ++list) {
    EXPECT_EQ(form.selected(list), -1) << "List" << list;
  }
  EXPECT_EQ(form.all_list_runs(), 0);
  EXPECT_EQ(form.check1_runs, 0);
  const auto* timer1 = form.findChild<QTimer*>(QStringLiteral("Timer1"));
  ASSERT_NE(timer1, nullptr);
  EXPECT_FALSE(timer1->isActive());
  EXPECT_EQ(timer1->interval(), 100);
  EXPECT_EQ(timer1->timerType(), Qt::PreciseTimer);
}

TEST(WindowLayout, LoadHandlingLeavesTheStartUpState) {
  CountingForm1 form;
  form.load();
  EXPECT_FALSE(form.ticked());
  EXPECT_EQ(form.selected(21), 0);
  EXPECT_EQ(form.selected(22), 0);
  for (int list = 1; list <= 20; ++list) {
    EXPECT_EQ(form.selected(list), -1) << "List" << list;
    EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("List%1").arg(list))->isVisibleTo(&form));
  }
  EXPECT_EQ(form.config().indpercent, 10);
  EXPECT_EQ(form.config().blpercent, 10);
  EXPECT_EQ(form.config().feature, 0);
  EXPECT_TRUE(form.recorder().messages().empty());
  EXPECT_FALSE(form.findChild<QWidget*>(QStringLiteral("Text1"))->isVisibleTo(&form));
  EXPECT_EQ(form.text(2), "");
  for (int box = 3; box <= 12; ++box) {
    EXPECT_EQ(form.text(box), "DESIGNATION ") << "Text" << box;
  }
}

TEST(WindowLayout, ClosesWithoutAQuestion) {
  CountingForm1 form;
  form.load();
  form.show();
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(form.recorder().messages().empty());
}

// Controls drawn later stand in front; the picture lies behind everything that overlaps it.
TEST(WindowLayout, StacksControlsOverThePanelPicture) {
  CountingForm1 form;
  const QObjectList& children = form.children();
  auto depth = [&](const char* name) {
    return children.indexOf(form.findChild<QWidget*>(QString::fromLatin1(name)));
  };
  EXPECT_EQ(depth("Image1"), 0);
  EXPECT_LT(depth("Shape1"), depth("Line1"));
  EXPECT_LT(depth("Line1"), depth("Label14"));
  EXPECT_LT(depth("Label2"), depth("Frame1"));
  EXPECT_LT(depth("Frame1"), depth("READ_CONFIG"));
  EXPECT_LT(depth("READ_CONFIG"), depth("Text1"));
  EXPECT_LT(depth("Text3"), depth("List1"));
  EXPECT_LT(depth("Frame1"), depth("List22"));
}

struct ListTableCase {
  std::vector<int> lists;
  std::vector<std::pair<const char*, int>> items;
};

TEST(ListTables, EveryListHoldsItsTableWithItemValues) {
  const std::vector<std::pair<const char*, int>> modules = {
      {"N/A", 160}, {"A", 0},   {"B", 10},  {"C", 20},  {"D", 30},  {"E", 40},
      {"F", 50},    {"G", 60},  {"H", 70},  {"I", 80},  {"J", 90},  {"K", 100},
      {"L", 110},   {"M", 120}, {"N", 130}, {"O", 140}, {"P", 150}, {"BL/MR", 159}};
  const std::vector<std::pair<const char*, int>> channels = {{"1", 0}, {"2", 1}, {"3", 2}, {"4", 3},
                                                             {"5", 4}, {"6", 5}, {"7", 6}, {"8", 7},
                                                             {"9", 8}, {"10", 9}};
  const std::vector<std::pair<const char*, int>> intensities = {
      {"100", 10}, {"90", 7}, {"80", 6}, {"70", 5}, {"60", 4}, {"50", 3}, {"40", 2}, {"30", 1}};
  const std::vector<ListTableCase> cases = {
      {{1, 3, 5, 7, 9, 11, 13, 15, 17, 19}, modules},
      {{2, 4, 6, 8, 10, 12, 14, 16, 18, 20}, channels},
      {{21, 22}, intensities},
  };

  CountingForm1 form;
  for (const ListTableCase& c : cases) {
    for (int number : c.lists) {
      auto* list = form.findChild<QListWidget*>(QStringLiteral("List%1").arg(number));
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
      ASSERT_EQ(list->count(), static_cast<int>(c.items.size())) << "List" << number;
      for (int row = 0; row < list->count(); ++row) {
        EXPECT_EQ(list->item(row)->text(), QString::fromLatin1(c.items[row].first));
        EXPECT_EQ(list->item(row)->data(Qt::UserRole).toInt(), c.items[row].second);
        EXPECT_EQ(form.item_value(number, row), c.items[row].second);
      }
    }
  }
}

TEST(ListTables, AskingForAMissingItemOrListFails) {
  CountingForm1 form;
  EXPECT_THROW(form.item_value(2, 10), std::out_of_range);
  EXPECT_THROW(form.item_value(21, -1), std::out_of_range);
  EXPECT_THROW(form.selected(23), std::out_of_range);
  EXPECT_THROW(form.text(13), std::out_of_range);
}

// The switch lists show about three rows, the intensity lists two.
TEST(ListTables, ListsShowTheirUsualNumberOfRows) {
  CountingForm1 form;
  form.show();
  struct RowsCase {
    int list;
    int rows;
  };
  for (RowsCase c : {RowsCase{1, 3}, RowsCase{2, 3}, RowsCase{21, 2}, RowsCase{22, 2}}) {
    auto* list = form.findChild<QListWidget*>(QStringLiteral("List%1").arg(c.list));
    const int row_height = list->visualItemRect(list->item(0)).height();
    EXPECT_EQ(list->viewport()->height() / row_height, c.rows) << "List" << c.list;
  }
}

}  // namespace
