#include "platform/shell/shell.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QGuiApplication>
#include <QObject>
#include <QUrl>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/base/text.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// A folder that stands in for PATH, holding a fake xdg-open that writes its arguments, one per
// line, into a file beside it.
class FakePath {
 public:
  explicit FakePath(bool withOpener)
      : folder_(fs::temp_directory_path() / ("juvo-shell-" + std::to_string(::getpid()))),
        savedPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    if (withOpener) {
      const std::string temp = (folder_ / "opened.tmp").string();
      std::ofstream(folder_ / "xdg-open")
          << "#!/bin/sh\necho noise\nprintf '%s\\n' \"$@\" > \"" << temp << "\"\n"
          << "/bin/mv \"" << temp << "\" \"" << opened().string() << "\"\n";
      fs::permissions(folder_ / "xdg-open", fs::perms::owner_all);
    }
    ::setenv("PATH", folder_.c_str(), 1);
  }
  ~FakePath() {
    ::setenv("PATH", savedPath_.c_str(), 1);
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  fs::path opened() const { return folder_ / "opened.txt"; }

  // What the fake opener received; empty if it did not run within a generous wait.
  std::string waitForOpened() const {
    for (int i = 0; i < 500 && !fs::exists(opened()); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::ostringstream text;
    text << std::ifstream(opened()).rdbuf();
    return text.str();
  }

 private:
  fs::path folder_;
  std::string savedPath_;
};

bool hasNoChildLeft() {
  return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(SystemShellTest, OpensWithXdgOpenAsOneVerbatimArgumentIfThereIsOne) {
  {
    FakePath path(/*withOpener=*/false);
    systemShell().open(u"http://example.org/");
    EXPECT_TRUE(hasNoChildLeft());
  }
  FakePath path(/*withOpener=*/true);
  const std::u16string address =
      u"http://example.org/a b;$(touch x)&lang=\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac";
  systemShell().open(address);
  // The intermediate child is reaped before open returns, and the opener is not our child.
  EXPECT_TRUE(hasNoChildLeft());
  EXPECT_EQ(path.waitForOpened(), toUtf8(address) + "\n");
}

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void catchUrl(const QUrl& url) { urls.append(url); }
};

TEST(SystemShellTest, GuiApplicationUsesDesktopServices) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  FakePath path(/*withOpener=*/true);
  int argc = 1;
  char name[] = "shell_test";
  char* argv[] = {name, nullptr};
  {
    QGuiApplication application(argc, argv);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("juvotest", &catcher, "catchUrl");
    systemShell().open(u"juvotest://host/page?x=1");
    QDesktopServices::unsetUrlHandler("juvotest");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.front().toString(), QString("juvotest://host/page?x=1"));
  }
  EXPECT_FALSE(fs::exists(path.opened()));
  EXPECT_TRUE(hasNoChildLeft());
}

}  // namespace
}  // namespace platform

#include "shell_test.moc"
