#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kvt::testing {

struct ProcessResult {
  int exit_code = -1;
  bool crashed = false;
  std::string out;
  std::string err;
};

// A user to run the program as, instead of this process's own.
struct RunAs {
  uid_t uid;
  gid_t gid;
};

// The built kvt-config started in the background, without a display and without a port set in
// the environment unless `environment` adds one, for tests that act on it while it runs. Run as
// another user, the built program runs from a copy that user may reach: the build tree may lie
// where only root may go (a clone in /root, a 0700 folder). The program links its own code
// statically; what else it loads comes from the system.
class KvtProcess {
 public:
  explicit KvtProcess(const QStringList& arguments, const QProcessEnvironment& environment = {},
                      std::optional<RunAs> user = std::nullopt,
                      const QString& program = QStringLiteral(KVT_CONFIG_PATH),
                      int pending_signal = 0) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "KVT_SERIAL_PORT"}) {
      env.remove(QString::fromLatin1(name));
    }
    // A settings folder of the test's own: no port chosen in a window.
    env.insert("XDG_CONFIG_HOME", "/nonexistent/kvt-config-test");
    // No journal, unless the test names one of its own: never the user's.
    env.insert("KVT_JOURNAL", "off");
    for (const QString& key : environment.keys()) env.insert(key, environment.value(key));
    process_.setProcessEnvironment(env);
    process_.setReadChannel(QProcess::StandardError);
    if (user || pending_signal != 0) {
      process_.setChildProcessModifier([user, pending_signal] {
        // A signal sent before the program's first instruction, blocked so that it waits,
        // pending, across exec.
        if (pending_signal != 0) {
          sigset_t held;
          sigemptyset(&held);
          sigaddset(&held, pending_signal);
          ::sigprocmask(SIG_BLOCK, &held, nullptr);
          ::raise(pending_signal);
        }
        if (!user) return;
        if (::setgroups(0, nullptr) != 0 || ::setgid(user->gid) != 0 || ::setuid(user->uid) != 0) {
          // Only async-signal-safe calls here, between fork and exec.
          static constexpr char kCannotSwitch[] = "did not start: cannot switch to the user\n";
          [[maybe_unused]] const ssize_t said = ::write(2, kCannotSwitch, sizeof kCannotSwitch - 1);
          ::_exit(127);
        }
      });
    }
    const bool needs_copy = user && program == QStringLiteral(KVT_CONFIG_PATH);
    const std::optional<QString> runnable = needs_copy ? copy_for_everyone(program) : program;
    if (!runnable) {
      start_failure_ = "cannot copy " + program.toStdString() + " into /tmp for another user";
      return;
    }
    process_.start(*runnable, arguments);
    // A program that never ran cannot end: finish() says why instead of waiting for it.
    if (!process_.waitForStarted()) start_failure_ = process_.errorString().toStdString();
  }

  qint64 pid() const { return process_.processId(); }

  // Waits at most `ms` until standard error holds `text`.
  bool wait_for_error(const std::string& text, int ms = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (err_.find(text) == std::string::npos) {
      const int left = ms - static_cast<int>(clock.elapsed());
      if (left <= 0 || process_.state() == QProcess::NotRunning) return false;
      process_.waitForReadyRead(left);
      err_ += process_.readAllStandardError().toStdString();
    }
    return true;
  }

  // Waits at most `ms` until standard output holds `text` `times` times.
  bool wait_for_output(const std::string& text, std::size_t times = 1, int ms = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (true) {
      out_ += process_.readAllStandardOutput().toStdString();
      std::size_t found = 0;
      for (auto at = out_.find(text); at != std::string::npos; at = out_.find(text, at + 1)) {
        ++found;
      }
      if (found >= times) return true;
      if (clock.elapsed() >= ms || process_.state() == QProcess::NotRunning) return false;
      // Ready to read is told for standard error, the channel read; output is looked at often.
      process_.waitForReadyRead(20);
    }
  }

  // Waits for the end (at most 20 s, then kills it).
  ProcessResult finish() {
    ProcessResult result;
    if (start_failure_) {
      result.err = "did not start: " + *start_failure_;
      return result;
    }
    if (!process_.waitForFinished(20000)) {
      process_.kill();
      process_.waitForFinished();
      result.err = "kvt-config did not end within 20 s";
      return result;
    }
    result.crashed = process_.exitStatus() == QProcess::CrashExit;
    result.exit_code = process_.exitCode();
    result.out = out_ + process_.readAllStandardOutput().toStdString();
    result.err = err_ + process_.readAllStandardError().toStdString();
    return result;
  }

 private:
  // In /tmp, which every user may enter, whatever TMPDIR names.
  std::optional<QString> copy_for_everyone(const QString& program) {
    copy_folder_.emplace(QStringLiteral("/tmp/kvt-program-XXXXXX"));
    const QString copy = copy_folder_->filePath(QStringLiteral("kvt-config"));
    if (!QFile::copy(program, copy)) return std::nullopt;
    ::chmod(copy_folder_->path().toLocal8Bit().constData(), 0755);
    ::chmod(copy.toLocal8Bit().constData(), 0755);
    return copy;
  }

  // Declared before the process, so that it outlives it.
  std::optional<QTemporaryDir> copy_folder_;
  QProcess process_;
  std::string out_;
  std::string err_;
  std::optional<std::string> start_failure_;
};

// True once the kernel's signal mask `mask` of the process ("SigCgt:", the signals it handles,
// or "SigBlk:", those it holds back) has `signal_number`; waits at most 10 s.
inline bool signal_mask_has(qint64 pid, std::string_view mask, int signal_number) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 10000) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
      if (!line.starts_with(mask)) continue;
      const unsigned long long bits = std::stoull(line.substr(mask.size()), nullptr, 16);
      if (bits & (1ULL << (signal_number - 1))) return true;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return false;
}

// Runs the built kvt-config with `arguments` and waits for it (at most 20 s).
inline ProcessResult run_kvt(const QStringList& arguments,
                             const QProcessEnvironment& environment = {},
                             std::optional<RunAs> user = std::nullopt) {
  return KvtProcess(arguments, environment, user).finish();
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
  return KvtProcess({QStringLiteral("-c"), script, QStringLiteral(KVT_CONFIG_PATH)}, {},
                    std::nullopt, QStringLiteral("/bin/sh"))
      .finish();
}

}  // namespace kvt::testing
