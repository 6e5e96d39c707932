// The helper that runs the built program tells a program that never started from one that did
// not end: a start refused (a folder the user may not enter) once passed for a 20 s time-out.

#include "kvt_process.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <optional>

namespace {

using kvt::testing::KvtProcess;
using kvt::testing::RunAs;

TEST(KvtProcessStart, MissingProgramDidNotStart) {
  const auto result = KvtProcess({QStringLiteral("--version")}, {}, std::nullopt,
                                 QStringLiteral("/nonexistent/kvt-config"))
                          .finish();
  EXPECT_TRUE(result.err.starts_with("did not start: ")) << result.err;
  EXPECT_EQ(result.exit_code, -1);
}

TEST(KvtProcessStart, ProgramOutOfTheUsersReachDidNotStart) {
  const passwd* nobody = ::getpwnam("nobody");
  if (::geteuid() != 0 || nobody == nullptr) {
    GTEST_SKIP() << "needs root and the user \"nobody\" to run a program as another user";
  }
  // As a clone in /root is for nobody: a folder only its owner may enter.
  QTemporaryDir closed(QStringLiteral("/tmp/kvt-closed-XXXXXX"));
  ::chmod(closed.path().toLocal8Bit().constData(), 0700);
  const QString program = closed.filePath(QStringLiteral("kvt-config"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(KVT_CONFIG_PATH), program));
  ::chmod(program.toLocal8Bit().constData(), 0755);

  const auto result =
      KvtProcess({QStringLiteral("--version")}, {}, RunAs{nobody->pw_uid, nobody->pw_gid}, program)
          .finish();
  EXPECT_TRUE(result.err.starts_with("did not start: ")) << result.err;
}

}  // namespace
