// A configuration file dropped on the window opens as OPEN CONFIGURATION FILE opens it; any other
// drop is refused by the cursor alone.

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <fstream>
#include <string>

#include "model/switch_rows.h"
#include "tests/window/counting_form.h"
#include "worked_example.h"

namespace kvt {
namespace {

// What a file manager's drag brings: the local files, and their names as text too, which a text
// box would take.
QMimeData* files(const QStringList& paths) {
  auto* data = new QMimeData;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data->setUrls(urls);
  data->setText(paths.join(QLatin1Char('\n')));
  return data;
}

class FileDrop : public ::testing::Test {
 protected:
  FileDrop() {
    form.load();
    form.show();
    std::ofstream(path("LOBBY 2.kvc").toStdString(), std::ios::binary)
        << testing::kWorkedExampleLine;
    std::ofstream(path("notes.txt").toStdString(), std::ios::binary) << "notes\n";
    std::ofstream(path("broken.kvc").toStdString(), std::ios::binary) << "broken\r\n";
  }
  QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }

  // Drags `data` over `target` (the window when null) and drops it there when the drag is
  // accepted; true when it was. The drop opens the file once the event loop runs.
  bool drop(QMimeData* data, QWidget* target = nullptr) {
    QWidget& on = target != nullptr ? *target : form;
    const QPoint where = on.rect().center();
    QDragEnterEvent enter(where, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&on, &enter);
    if (!enter.isAccepted()) {
      delete data;
      return false;
    }
    QDropEvent dropped(where, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&on, &dropped);
    QCoreApplication::processEvents();
    delete data;
    return dropped.isAccepted();
  }

  QTemporaryDir dir;
  testing::CountingForm1 form;
};

// On the window or on a text box, as the technician lets go of it.
TEST_F(FileDrop, ConfigurationFileOpensWhereverItIsDropped) {
  EXPECT_TRUE(drop(files({path("LOBBY 2.kvc")})));
  EXPECT_EQ(form.text(kPanelNameBox), "LOBBY 2");
  form.set_text(kPanelNameBox, "");
  form.recorder().answer_question(UnsavedAnswer::Discard);
  EXPECT_TRUE(drop(files({path("LOBBY 2.kvc")}), form.findChild<QWidget*>("Text5")));
  EXPECT_EQ(form.text(kPanelNameBox), "LOBBY 2");
  EXPECT_EQ(form.text(designation_box(3)), "MASTER");
}

// Unsaved changes are asked about first; CANCEL keeps them.
TEST_F(FileDrop, UnsavedChangesAreAskedAboutFirst) {
  form.set_text(kPanelNameBox, "TYPED");
  form.recorder().answer_question(UnsavedAnswer::Cancel);
  EXPECT_TRUE(drop(files({path("LOBBY 2.kvc")})));
  EXPECT_EQ(form.recorder().questions().size(), 1u);
  EXPECT_EQ(form.text(kPanelNameBox), "TYPED");
}

// A refused file is refused as OPEN refuses it: with its message.
TEST_F(FileDrop, RefusedFileIsRefusedAsOpenRefusesIt) {
  EXPECT_TRUE(drop(files({path("broken.kvc")})));
  ASSERT_EQ(form.recorder().messages().size(), 1u);
  EXPECT_EQ(form.recorder().messages()[0].title, "FILE/MODEL MIS-MATCH");
}

struct RefusedDrop {
  const char* name;
  QStringList files;
  const char* target;  // null: the window
};

void PrintTo(const RefusedDrop& c, std::ostream* os) { *os << c.name; }

class OtherDrop : public FileDrop, public ::testing::WithParamInterface<RefusedDrop> {};

// Refused by the cursor: nothing opens, nothing is said, no text is put into a box.
TEST_P(OtherDrop, IsRefusedWithoutAWord) {
  QStringList paths;
  for (const QString& name : GetParam().files) paths << path(name.toLatin1().constData());
  QWidget* target =
      GetParam().target != nullptr ? form.findChild<QWidget*>(GetParam().target) : nullptr;
  EXPECT_FALSE(drop(files(paths), target));
  EXPECT_TRUE(form.recorder().messages().empty());
  EXPECT_TRUE(form.recorder().questions().empty());
  EXPECT_EQ(form.text(kPanelNameBox), "");
}

INSTANTIATE_TEST_SUITE_P(
    Drops, OtherDrop,
    ::testing::Values(RefusedDrop{"OtherFile", {"notes.txt"}, nullptr},
                      RefusedDrop{"TwoFiles", {"LOBBY 2.kvc", "broken.kvc"}, nullptr},
                      RefusedDrop{"OtherFileOnTheNameBox", {"notes.txt"}, "Text2"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
