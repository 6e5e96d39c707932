#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <string>

namespace kvt::testing {

struct ProcessResult {
  int exit_code = -1;
  bool crashed = false;
  std::string out;
  std::string err;
};

// Runs the built kvt-config with `arguments`, without a display and without a port set in
// the environment unless `environment` adds one, and waits for it (at most 20 s).
inline ProcessResult run_kvt(const QStringList& arguments,
                             const QProcessEnvironment& environment = {}) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "KVT_SERIAL_PORT"}) {
    env.remove(QString::fromLatin1(name));
  }
  // A settings folder of the test's own: no port chosen in a window.
  env.insert("XDG_CONFIG_HOME", "/nonexistent/kvt-config-test");
  for (const QString& key : environment.keys()) env.insert(key, environment.value(key));
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(KVT_CONFIG_PATH), arguments);
  ProcessResult result;
  if (!process.waitForFinished(20000)) {
    process.kill();
    process.waitForFinished();
    result.err = "kvt-config did not end within 20 s";
    return result;
  }
  result.crashed = process.exitStatus() == QProcess::CrashExit;
  result.exit_code = process.exitCode();
  result.out = process.readAllStandardOutput().toStdString();
  result.err = process.readAllStandardError().toStdString();
  return result;
}

}  // namespace kvt::testing
