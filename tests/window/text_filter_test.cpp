#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "tests/window/counting_form.h"
#include "tests/window/qt_printing.h"

namespace {

using kvt::testing::CountingForm1;

enum class Entry { Typed, Pasted };

// Types each character as a key press carrying that character, as a keyboard layout would.
void type_text(QWidget& box, const QString& text) {
  for (char32_t character : text.toUcs4()) {
    const QString one = QString::fromUcs4(&character, 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
    QApplication::sendEvent(&box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
    QApplication::sendEvent(&box, &release);
  }
}

struct FilterCase {
  const char* what;
  int box;
  const char* program_text;  // put in the box by the program first (UTF-8)
  Entry entry;
  const char* entered;   // typed or pasted at the end of the text (UTF-8)
  const char* expected;  // UTF-8
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.what; }

class TextBoxInput : public ::testing::TestWithParam<FilterCase> {};

// What the user enters into a name or designation box can always be saved and read back as
// it was entered: no double quote, nothing outside Latin-1, no line break; the panel name
// takes at most 12 typed characters.
TEST_P(TextBoxInput, KeepsOnlyWhatAFileCanHold) {
  const FilterCase& c = GetParam();
  CountingForm1 form;
  form.show();
  form.set_text(c.box, c.program_text);
  auto* box = form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(c.box));
  box->setFocus();
  box->end(false);
  const QString entered = QString::fromUtf8(c.entered);
  if (c.entry == Entry::Typed) {
    type_text(*box, entered);
  } else {
    QApplication::clipboard()->setText(entered);
    box->paste();
  }
  EXPECT_EQ(box->text(), QString::fromUtf8(c.expected));
  EXPECT_EQ(form.text(c.box), c.expected);
  EXPECT_EQ(box->cursorPosition(), box->text().size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextBoxInput,
    ::testing::Values(
        FilterCase{"typed quote", 3, "", Entry::Typed, "EXIT \"A\"", "EXIT A"},
        FilterCase{"typed euro sign", 4, "", Entry::Typed, "5\u20AC LAMP", "5 LAMP"},
        FilterCase{"typed Latin-1 letters", 5, "", Entry::Typed, "CAF\u00C9 \u00D8ST",
                   "CAF\u00C9 \u00D8ST"},
        FilterCase{"pasted quotes keep the rest", 3, "DESIGNATION ", Entry::Pasted,
                   "\"STAGE\" LEFT", "DESIGNATION STAGE LEFT"},
        FilterCase{"pasted line break", 6, "", Entry::Pasted, "HALL\nWEST", "HALLWEST"},
        FilterCase{"pasted emoji", 7, "", Entry::Pasted, "BAR \U0001F37A", "BAR "},
        FilterCase{"designations take long texts", 8, "", Entry::Typed,
                   "A VERY LONG DESIGNATION TEXT", "A VERY LONG DESIGNATION TEXT"},
        FilterCase{"panel name takes twelve typed", 2, "", Entry::Typed, "MAIN LOBBY NORTH",
                   "MAIN LOBBY N"},
        FilterCase{"panel name paste fills to twelve", 2, "LOBBY", Entry::Pasted, " 2 NORTH WING",
                   "LOBBY 2 NORT"},
        FilterCase{"program's long name is kept whole", 2, "CONFERENCE HALL EAST", Entry::Typed,
                   "X", "CONFERENCE HALL EAST"},
        FilterCase{"program's quote is kept", 9, "SAY \"HI\"", Entry::Typed, "\"!", "SAY \"HI\"!"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(TextBoxInput, AProgramSetLongNameCanBeShortenedButNotLengthened) {
  CountingForm1 form;
  form.show();
  form.set_text(2, "CONFERENCE HALL EAST");
  auto* box = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
  box->setFocus();
  box->end(false);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(form.text(2), "CONFERENCE HALL EAS");
  // Now it may not grow again past what the program set.
  type_text(*box, QStringLiteral("TX"));
  EXPECT_EQ(form.text(2), "CONFERENCE HALL EAS");
}

TEST(TextBoxInput, APasteInTheMiddleLeavesTheCursorAfterWhatWasKept) {
  CountingForm1 form;
  form.show();
  form.set_text(3, "ABCD");
  auto* box = form.findChild<QLineEdit*>(QStringLiteral("Text3"));
  box->setFocus();
  box->setCursorPosition(2);
  QApplication::clipboard()->setText(QStringLiteral("\"X\""));
  box->paste();
  EXPECT_EQ(form.text(3), "ABXCD");
  EXPECT_EQ(box->cursorPosition(), 3);
}

}  // namespace
