#include "platform/shell/shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QString>
#include <QUrl>
#include <cerrno>
#include <string>

#include "platform/base/text.h"

extern char** environ;

namespace platform {

namespace {

// Starts `xdg-open address` detached: an intermediate child spawns it and exits at once, so the
// opener is adopted by init and never lingers as our zombie, and the host's own SIGCHLD handling
// (if any) sees only a child we reap ourselves. Its standard streams go to /dev/null: the
// host's terminal transcript must not receive a browser's chatter.
void spawnXdgOpen(const std::string& address) {
  // Everything that allocates is prepared before fork: the child of a threaded process may only
  // do async-signal-safe work until it exits.
  std::string program = "xdg-open";
  std::string argument = address;
  char* argv[] = {program.data(), argument.data(), nullptr};

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return;
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return;
  }
  // A session of its own: the terminal's Ctrl+C aimed at the host does not close the browser.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

  pid_t child = ::fork();
  if (child == 0) {
    pid_t opener;
    int failed = posix_spawnp(&opener, program.c_str(), &actions, &attributes, argv, environ);
    ::_exit(failed == 0 ? 0 : 127);
  }
  if (child > 0) {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
}

class SystemShell : public Shell {
 public:
  void open(std::u16string_view address) override {
    // A GUI application has desktop services of its own, which honour its URL handlers.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
      QDesktopServices::openUrl(QUrl(QString::fromUtf16(address.data(), address.size())));
      return;
    }
    spawnXdgOpen(toUtf8(address));
  }
};

}  // namespace

Shell& systemShell() {
  static SystemShell shell;
  return shell;
}

}  // namespace platform
