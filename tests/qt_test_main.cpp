// The main of the Qt test programs: they share one QApplication for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

namespace {

// The offscreen platform's chatter says nothing about our code.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
      message.contains(QLatin1String("propagateSizeHints"))) {
    return;
  }
  if (type != QtDebugMsg) std::fprintf(stderr, "qt: %s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  qInstallMessageHandler(quietQt);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
