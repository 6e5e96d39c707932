#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <string>
#include <vector>

namespace kvt::testing {

struct ProcessResult {
  int exit_code = -1;
  bool crashed = false;
  std::string out;
  std::string err;
};

// Runs `program` with `arguments`, without a display and without a port set in the environment
// unless `environment` adds one, and waits for it (at most 20 s).
inline ProcessResult run_program(const QString& program, const QStringList& arguments,
                                 const QProcessEnvironment& environment) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "KVT_SERIAL_PORT"}) {
    env.remove(QString::fromLatin1(name));
  }
  // A settings folder of the test's own: no port chosen in a window.
  env.insert("XDG_CONFIG_HOME", "/nonexistent/kvt-config-test");
  for (const QString& key : environment.keys()) env.insert(key, environment.value(key));
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(program, arguments);
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

// Runs the built kvt-config so.
inline ProcessResult run_kvt(const QStringList& arguments,
                             const QProcessEnvironment& environment = {}) {
  return run_program(QStringLiteral(KVT_CONFIG_PATH), arguments, environment);
}

// As run_kvt, with arguments given as bytes that need not be UTF-8 (a file name in Latin-1).
// QProcess would pass them on as UTF-8, so a shell rebuilds each one from octal escapes.
inline ProcessResult run_kvt_bytes(const std::vector<std::string>& arguments) {
  QString script = QStringLiteral("exec \"$0\"");
  for (const std::string& argument : arguments) {
    QString octal;
    for (const char byte : argument) {
      octal += QString::asprintf("\\%03o", static_cast<unsigned char>(byte));
    }
    script += " \"$(printf '" + octal + "')\"";
  }
  return run_program(QStringLiteral("/bin/sh"),
                     {QStringLiteral("-c"), script, QStringLiteral(KVT_CONFIG_PATH)}, {});
}

}  // namespace kvt::testing
