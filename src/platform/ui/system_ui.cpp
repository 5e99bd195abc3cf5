#include <QApplication>

#include "platform/ui/qt_ui.h"
#include "platform/ui/terminal_ui.h"
#include "platform/ui/ui.h"

namespace platform {

Ui& systemUi() {
  static QtUi qtUi;
  static TerminalUi terminalUi;
  // A QCoreApplication alone has no windows to show.
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return qtUi;
  return terminalUi;
}

}  // namespace platform
