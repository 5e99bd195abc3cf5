#include "platform/registry/registry.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using namespace std::chrono_literals;

class RegistryTest : public ::testing::Test {
 protected:
  fs::path hiveFile() const { return temp_.path() / "config" / "registry.reg"; }

  HKEY create(Registry& registry, HKEY root, const char* path) {
    HKEY key = nullptr;
    EXPECT_EQ(registry.RegCreateKeyA(root, path, &key), ERROR_SUCCESS) << path;
    return key;
  }

  void set(Registry& registry, const char* name, std::string_view bytes) {
    HKEY key = create(registry, HKEY_CURRENT_USER, "Software\\Korvel\\JUVO");
    EXPECT_EQ(
        registry.RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                                static_cast<DWORD>(bytes.size())),
        ERROR_SUCCESS);
    registry.RegCloseKey(key);
  }

  // The bytes of a REG_SZ under the settings key (or another), or "missing".
  std::string get(Registry& registry, const char* name,
                  const char* path = "Software\\Korvel\\JUVO") {
    HKEY key = nullptr;
    if (registry.RegOpenKeyA(HKEY_CURRENT_USER, path, &key) != ERROR_SUCCESS) return "missing";
    char buffer[64];
    DWORD type = 0, size = sizeof buffer;
    LONG rc = registry.RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                        &size);
    registry.RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(buffer, size) : "missing";
  }

  juvo::testing::TempFolder temp_;
  Registry registry_{hiveFile()};
};

TEST_F(RegistryTest, OpeningMakesNoKeyAndCreatingMakesEveryMissingOne) {
  HKEY key = reinterpret_cast<HKEY>(uintptr_t{1234});
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Korvel", &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_FALSE(fs::exists(hiveFile()));

  HKEY juvo = create(registry_, HKEY_CURRENT_USER, "Software\\Korvel\\JUVO");
  // Keys match without regard to case; the classes root lies under the user.
  registry_.RegCloseKey(create(registry_, HKEY_CURRENT_USER, "software\\KORVEL\\juvo\\Sub"));
  registry_.RegCloseKey(create(registry_, HKEY_CLASSES_ROOT, "juvo.juvo_main"));
  registry_.RegCloseKey(create(registry_, HKEY_LOCAL_MACHINE, "Software"));
  // Null and empty name the key itself, through a handle of its own.
  for (const char* same : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_EQ(registry_.RegOpenKeyA(juvo, same, &key), ERROR_SUCCESS);
    EXPECT_NE(key, juvo);
    EXPECT_EQ(registry_.RegCloseKey(key), ERROR_SUCCESS);
  }
  EXPECT_EQ(registry_.RegCloseKey(juvo), ERROR_SUCCESS);
  EXPECT_EQ(temp_.read("config/registry.reg"),
            "REGEDIT4\n\n"
            "[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO\\Sub]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Classes\\juvo.juvo_main]\n\n"
            "[HKEY_LOCAL_MACHINE\\Software]\n\n");
}

TEST_F(RegistryTest, QueryingReportsTypeAndSizeAndAsksForRoom) {
  set(registry_, "Language", "English\0"s);
  HKEY key = create(registry_, HKEY_CURRENT_USER, "Software\\Korvel\\JUVO");
  DWORD type = 0, size = 0;
  EXPECT_EQ(registry_.RegQueryValueExA(key, "LANGUAGE", nullptr, &type, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 8u);
  BYTE small[4] = {};
  size = sizeof small;
  EXPECT_EQ(registry_.RegQueryValueExA(key, "language", nullptr, nullptr, small, &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(get(registry_, "language"), "English\0"s);

  // A missing value leaves the caller's type alone; null and empty both name the default value.
  type = 99;
  EXPECT_EQ(registry_.RegQueryValueExA(key, "missing", nullptr, &type, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(type, 99u);
  ASSERT_EQ(registry_.RegSetValueExA(key, nullptr, 0, REG_BINARY,
                                     reinterpret_cast<const BYTE*>("\x01"), 1),
            ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegQueryValueExA(key, "", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  registry_.RegCloseKey(key);
}

TEST_F(RegistryTest, ClosedAndUnknownHandlesAreRefused) {
  HKEY key = create(registry_, HKEY_CURRENT_USER, "Software\\Korvel");
  EXPECT_EQ(registry_.RegCloseKey(key), ERROR_SUCCESS);
  HKEY other = nullptr;
  DWORD size = 0;
  BYTE byte = 1;
  for (HKEY bad : {key, static_cast<HKEY>(nullptr), reinterpret_cast<HKEY>(uintptr_t{0xbad})}) {
    EXPECT_EQ(registry_.RegOpenKeyA(bad, "", &other), ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry_.RegCreateKeyA(bad, "x", &other), ERROR_INVALID_HANDLE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(registry_.RegQueryValueExA(bad, "v", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry_.RegSetValueExA(bad, "v", 0, REG_BINARY, &byte, 1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry_.RegDeleteTreeA(bad, nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry_.RegCloseKey(bad), ERROR_INVALID_HANDLE);
  }
  EXPECT_EQ(registry_.RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(RegistryTest, DeletingATreeRemovesEverythingBelowIt) {
  HKEY deep = create(registry_, HKEY_CURRENT_USER, "Software\\Korvel\\JUVO\\Deep");
  EXPECT_EQ(registry_.RegDeleteTreeA(HKEY_CURRENT_USER, "software\\korvel"), ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Korvel"), ERROR_FILE_NOT_FOUND);
  DWORD size = 0;
  HKEY child = nullptr;
  EXPECT_EQ(registry_.RegQueryValueExA(deep, "v", nullptr, nullptr, nullptr, &size),
            ERROR_KEY_DELETED);
  EXPECT_EQ(registry_.RegCreateKeyA(deep, "x", &child), ERROR_KEY_DELETED);
  EXPECT_EQ(registry_.RegCloseKey(deep), ERROR_SUCCESS);
  EXPECT_EQ(temp_.read("config/registry.reg"), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n");
}

TEST_F(RegistryTest, SeesWhatAnotherWriterPutInTheFile) {
  Registry other(hiveFile());
  set(registry_, "language", "English\0"s);
  EXPECT_EQ(get(other, "language"), "English\0"s);
  set(other, "language", "Deutsch\0"s);
  EXPECT_EQ(get(registry_, "language"), "Deutsch\0"s);
}

TEST_F(RegistryTest, ADamagedFileKeepsEveryLineThatParsesAndTheOriginalAside) {
  const std::string damaged =
      "\xEF\xBB\xBFREGEDIT4\n\n"
      "[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n"
      "\"language\" = \"Dutch\"\n"
      "junk\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\n"
      "\"kept\"=\"yes\"\n"
      "\"broken\"=dword:xyz\n";
  temp_.write("config/registry.reg", damaged);
  temp_.write("config/registry.reg.damaged", "an earlier one");

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(get(registry_, "language"), "Dutch\0"s);
  EXPECT_EQ(get(registry_, "kept", "Software\\Other"), "yes\0"s);
  set(registry_, "language", "English\0"s);
  const std::string terminal = ::testing::internal::GetCapturedStderr();
  // A listener set late hears what was said before it, and may use the registry.
  std::vector<std::string> heard;
  registry_.setReportListener([&](const std::string& report) {
    heard.push_back(report);
    EXPECT_EQ(get(registry_, "kept", "Software\\Other"), "yes\0"s);
  });

  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(terminal, heard[0] + "\n");
  for (const std::string& part : {hiveFile().string() + ": 2 damaged lines", "line 5: neither"s,
                                  "line 8: not a value"s, hiveFile().string() + ".damaged.1"}) {
    EXPECT_NE(heard[0].find(part), std::string::npos) << part << " in " << heard[0];
  }
  EXPECT_EQ(temp_.read("config/registry.reg.damaged.1"), damaged);
  EXPECT_EQ(temp_.read("config/registry.reg.damaged"), "an earlier one");

  // What was saved is whole again: the next run reads it without a word.
  Registry nextRun(hiveFile());
  std::vector<std::string> nextHeard;
  nextRun.setReportListener([&](const std::string& report) { nextHeard.push_back(report); });
  EXPECT_EQ(get(nextRun, "language"), "English\0"s);
  EXPECT_EQ(get(nextRun, "kept", "Software\\Other"), "yes\0"s);
  EXPECT_TRUE(nextHeard.empty());
}

TEST_F(RegistryTest, AKeyNestedBeyondTheLimitIsADamagedLineNotACrash) {
  std::string deep = "[HKEY_CURRENT_USER\\S";
  for (int i = 0; i < 1000000; ++i)
    deep += "\\a";
  temp_.write(
      "config/registry.reg",
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n\"language\"=\"Dutch\"\n\n" + deep +
          "]\n\"v\"=\"x\"\n");
  std::vector<std::string> heard;
  registry_.setReportListener([&](const std::string& report) { heard.push_back(report); });
  EXPECT_EQ(get(registry_, "language"), "Dutch\0"s);
  set(registry_, "more", "x\0"s);
  EXPECT_LT(fs::file_size(hiveFile()), 200u);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_NE(heard[0].find("line 6: a key more than 512 levels deep"), std::string::npos)
      << heard[0];
}

TEST_F(RegistryTest, CallsAreHeldToTheRegistrysLimits) {
  const std::string longest(255, 'k');
  std::string deepest = "a";
  for (int i = 1; i < 512; ++i)
    deepest += "\\a";
  HKEY key = nullptr;
  EXPECT_EQ(registry_.RegCreateKeyA(HKEY_CURRENT_USER, (longest + "k").c_str(), &key),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, (longest + "k").c_str(), &key),
            ERROR_FILE_NOT_FOUND);
  registry_.RegCloseKey(create(registry_, HKEY_CURRENT_USER, longest.c_str()));
  HKEY deep = create(registry_, HKEY_CURRENT_USER, deepest.c_str());
  EXPECT_EQ(registry_.RegCreateKeyA(deep, "b", &key), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(registry_.RegCreateKeyA(HKEY_CLASSES_ROOT, deepest.substr(2).c_str(), &key),
            ERROR_INVALID_PARAMETER);  // two levels more: below Software\Classes
  const std::string valueName(16383, 'v');
  const BYTE byte = 1;
  EXPECT_EQ(registry_.RegSetValueExA(deep, valueName.c_str(), 0, REG_BINARY, &byte, 1),
            ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegSetValueExA(deep, (valueName + "v").c_str(), 0, REG_BINARY, &byte, 1),
            ERROR_INVALID_PARAMETER);
  registry_.RegCloseKey(deep);

  // Everything the calls allow, the file holds and gives back.
  Registry nextRun(hiveFile());
  std::vector<std::string> heard;
  nextRun.setReportListener([&](const std::string& report) { heard.push_back(report); });
  ASSERT_EQ(nextRun.RegOpenKeyA(HKEY_CURRENT_USER, deepest.c_str(), &key), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(nextRun.RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, nullptr, &size),
            ERROR_SUCCESS);
  nextRun.RegCloseKey(key);
  EXPECT_EQ(nextRun.RegOpenKeyA(HKEY_CURRENT_USER, longest.c_str(), &key), ERROR_SUCCESS);
  nextRun.RegCloseKey(key);
  EXPECT_TRUE(heard.empty());
}

// Lets a reader stuck opening the FIFO go on (feeding it a line) so that a registry that opens
// it blocking fails the test rather than hanging it.
class FifoUnblocker {
 public:
  explicit FifoUnblocker(fs::path fifo)
      : thread_([this, fifo = std::move(fifo)] {
          std::unique_lock lock(mutex_);
          while (!cv_.wait_for(lock, 100ms, [this] { return done_; })) {
            int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) continue;
            [[maybe_unused]] ssize_t written = ::write(fd, "junk\n", 5);
            ::close(fd);
          }
        }) {}
  ~FifoUnblocker() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    cv_.notify_all();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool done_ = false;
  std::thread thread_;
};

TEST_F(RegistryTest, AHiveThatIsNoRegularFileIsNeverReadNorWritten) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> make;
  };
  const Case cases[] = {
      {"a link to /dev/zero", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
      {"a link to /dev/urandom", [](const fs::path& p) { fs::create_symlink("/dev/urandom", p); }},
      {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
      {"a folder", [](const fs::path& p) { fs::create_directory(p); }},
      {"a file larger than 64 MB",
       [](const fs::path& p) {
         std::ofstream(p) << "REGEDIT4\n";
         fs::resize_file(p, (uint64_t{64} << 20) + 1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    juvo::testing::TempFolder folder;
    const fs::path file = folder.path() / "registry.reg";
    c.make(file);
    const fs::file_status before = fs::symlink_status(file);
    std::vector<std::string> heard;
    {
      FifoUnblocker unblocker(file);
      Registry registry(file);
      registry.setReportListener([&](const std::string& report) { heard.push_back(report); });
      set(registry, "language", "Dutch\0"s);
      set(registry, "other", "x\0"s);
      EXPECT_EQ(get(registry, "language"), "Dutch\0"s);
    }
    EXPECT_EQ(fs::symlink_status(file).type(), before.type());
    if (fs::is_regular_file(file)) {
      EXPECT_EQ(fs::file_size(file), (uint64_t{64} << 20) + 1);
    }
    EXPECT_FALSE(fs::exists(folder.path() / "registry.reg.damaged"));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_NE(heard[0].find(file.string() + " is not read"), std::string::npos) << heard[0];
    EXPECT_NE(heard[0].find("kept in memory only"), std::string::npos) << heard[0];
  }
}

TEST_F(RegistryTest, AHiveReachedThroughALinkIsWrittenWhereTheLinkLeads) {
  const std::string dutch =
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n\"language\"=\"Dutch\"\n\n";
  temp_.write("dotfiles/registry.reg", dutch);
  fs::create_directories(hiveFile().parent_path());
  fs::create_symlink("../dotfiles/registry.reg", hiveFile());
  EXPECT_EQ(get(registry_, "language"), "Dutch\0"s);
  set(registry_, "language", "English\0"s);
  EXPECT_EQ(fs::read_symlink(hiveFile()), "../dotfiles/registry.reg");
  EXPECT_NE(temp_.read("dotfiles/registry.reg").find("\"language\"=\"English\""),
            std::string::npos);
  Registry nextRun(hiveFile());
  EXPECT_EQ(get(nextRun, "language"), "English\0"s);

  // Through a chain of links, and to a file a link names but that is not there yet.
  const fs::path chained = temp_.path() / "config" / "chained.reg";
  fs::create_symlink(hiveFile(), chained);
  Registry viaChain(chained);
  set(viaChain, "language", "Deutsch\0"s);
  EXPECT_TRUE(fs::is_symlink(chained) && fs::is_symlink(hiveFile()));
  EXPECT_NE(temp_.read("dotfiles/registry.reg").find("Deutsch"), std::string::npos);
  const fs::path dangling = temp_.path() / "config" / "new.reg";
  fs::create_symlink(temp_.path() / "dotfiles" / "new.reg", dangling);
  Registry fresh(dangling);
  set(fresh, "language", "Dutch\0"s);
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(temp_.read("dotfiles/new.reg"), dutch);
  // No temporary file is left behind on either side.
  for (const char* folder : {"config", "dotfiles"}) {
    for (const auto& entry : fs::directory_iterator(temp_.path() / folder))
      EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
  }
}

TEST_F(RegistryTest, WithoutAWritableLocationChangesStayInMemoryAndThatIsSaidOnce) {
  temp_.write("blocker", "a file where the folder should be");
  const fs::path file = temp_.path() / "blocker" / "juvo" / "registry.reg";
  Registry registry(file);
  std::vector<std::string> heard;
  registry.setReportListener([&](const std::string& report) { heard.push_back(report); });
  set(registry, "language", "English\0"s);
  set(registry, "other", "x\0"s);
  EXPECT_EQ(get(registry, "language"), "English\0"s);
  EXPECT_EQ(registry.RegDeleteTreeA(HKEY_CURRENT_USER, "Software"), ERROR_SUCCESS);
  EXPECT_EQ(temp_.read("blocker"), "a file where the folder should be");
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_NE(heard[0].find("changes cannot be saved to " + file.string()), std::string::npos)
      << heard[0];
  EXPECT_NE(heard[0].find("Not a directory"), std::string::npos) << heard[0];
}

TEST_F(RegistryTest, TheUsersHiveFollowsTheConfigFolder) {
  ::setenv("XDG_CONFIG_HOME", temp_.path().c_str(), 1);
  EXPECT_EQ(Registry::user().hiveFile(), temp_.path() / "juvo" / "registry.reg");
}

}  // namespace
}  // namespace platform
