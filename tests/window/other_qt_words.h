#pragma once

#include <QCoreApplication>
#include <QTranslator>

namespace kvt::testing {

// While it lives, Qt's own words come out in small letters, as a desktop in another language
// would change them: a dialog that shows Qt's words for its buttons instead of the window's
// own capitals gives itself away.
class OtherQtWords : public QTranslator {
 public:
  OtherQtWords() { QCoreApplication::installTranslator(this); }
  ~OtherQtWords() override { QCoreApplication::removeTranslator(this); }
  OtherQtWords(const OtherQtWords&) = delete;
  OtherQtWords& operator=(const OtherQtWords&) = delete;

  bool isEmpty() const override { return false; }
  QString translate(const char* /*context*/, const char* source, const char* /*disambiguation*/,
                    int /*n*/) const override {
    return QString::fromUtf8(source).toLower();
  }
};

}  // namespace kvt::testing
