#include "platform/registry/registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using juvo::testing::TempFolder;

struct Stored {
  DWORD type = 0;
  std::string bytes;
  friend bool operator==(const Stored&, const Stored&) = default;
};

class RegistryTest : public ::testing::Test {
 protected:
  fs::path hiveFile() const { return temp_.path() / "config" / "registry.reg"; }

  HKEY create(Registry& registry, HKEY root, const char* path) {
    HKEY key = nullptr;
    EXPECT_EQ(registry.RegCreateKeyA(root, path, &key), ERROR_SUCCESS) << path;
    return key;
  }

  void set(Registry& registry, const char* path, const char* name, DWORD type,
           std::string_view bytes) {
    HKEY key = create(registry, HKEY_CURRENT_USER, path);
    EXPECT_EQ(
        registry.RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                static_cast<DWORD>(bytes.size())),
        ERROR_SUCCESS);
    registry.RegCloseKey(key);
  }

  std::optional<Stored> get(Registry& registry, const char* path, const char* name) {
    HKEY key = nullptr;
    if (registry.RegOpenKeyA(HKEY_CURRENT_USER, path, &key) != ERROR_SUCCESS) return std::nullopt;
    Stored stored;
    DWORD size = 0;
    std::optional<Stored> result;
    if (registry.RegQueryValueExA(key, name, nullptr, &stored.type, nullptr, &size) ==
        ERROR_SUCCESS) {
      stored.bytes.resize(size);
      if (registry.RegQueryValueExA(key, name, nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(stored.bytes.data()),
                                    &size) == ERROR_SUCCESS) {
        result = stored;
      }
    }
    registry.RegCloseKey(key);
    return result;
  }

  TempFolder temp_;
  Registry registry_{hiveFile()};
};

TEST_F(RegistryTest, OpeningAMissingKeyFailsAndCreatesNothing) {
  HKEY key = reinterpret_cast<HKEY>(uintptr_t{1234});
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Korvel", &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Korvel", &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(fs::exists(hiveFile()));
}

TEST_F(RegistryTest, CreatingMakesEveryMissingKeyAndKeysMatchWithoutRegardToCase) {
  HKEY juvo = create(registry_, HKEY_CURRENT_USER, "Software\\Korvel\\JUVO");
  ASSERT_NE(juvo, nullptr);
  HKEY again = nullptr;
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "SOFTWARE\\korvel", &again), ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegCloseKey(again), ERROR_SUCCESS);
  HKEY sub = create(registry_, HKEY_CURRENT_USER, "software\\KORVEL\\juvo\\Sub");
  EXPECT_EQ(registry_.RegCloseKey(sub), ERROR_SUCCESS);

  // The same key again, through a handle of its own.
  for (const char* same : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_EQ(registry_.RegOpenKeyA(juvo, same, &again), ERROR_SUCCESS);
    EXPECT_NE(again, juvo);
    EXPECT_EQ(registry_.RegCloseKey(again), ERROR_SUCCESS);
  }
  EXPECT_EQ(registry_.RegOpenKeyA(juvo, "sub", &again), ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegCloseKey(again), ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegCloseKey(juvo), ERROR_SUCCESS);

  EXPECT_EQ(temp_.read("config/registry.reg"),
            "REGEDIT4\n\n"
            "[HKEY_CURRENT_USER\\Software]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Korvel]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO\\Sub]\n\n");
}

TEST_F(RegistryTest, QueryingReportsTypeAndSizeAndAsksForRoom) {
  HKEY key = create(registry_, HKEY_CURRENT_USER, "Software\\Korvel\\JUVO");
  const std::string english = "English\0"s;
  ASSERT_EQ(registry_.RegSetValueExA(key, "Language", 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(english.data()), 8),
            ERROR_SUCCESS);

  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(registry_.RegQueryValueExA(key, "LANGUAGE", nullptr, &type, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 8u);

  BYTE small[4] = {};
  size = sizeof small;
  EXPECT_EQ(registry_.RegQueryValueExA(key, "language", nullptr, nullptr, small, &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);

  char buffer[16] = {};
  size = sizeof buffer;
  EXPECT_EQ(registry_.RegQueryValueExA(key, "language", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(buffer), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(buffer, size), english);

  type = 99;
  EXPECT_EQ(registry_.RegQueryValueExA(key, "missing", nullptr, &type, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(type, 99u);
  EXPECT_EQ(registry_.RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size),
            ERROR_FILE_NOT_FOUND);

  // Null and empty both name the default value.
  ASSERT_EQ(registry_.RegSetValueExA(key, nullptr, 0, REG_BINARY,
                                     reinterpret_cast<const BYTE*>("\x01"), 1),
            ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegQueryValueExA(key, "", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(size, 1u);
  registry_.RegCloseKey(key);
}

TEST_F(RegistryTest, ValuesComeBackFromTheFileByteForByte) {
  const std::vector<std::pair<DWORD, std::string>> values = {
      {REG_SZ, "English\0"s},
      {REG_SZ, "no terminator"s},
      {REG_SZ, "two\0zeros\0"s},
      {REG_SZ, "line\r\nend\0"s},
      {REG_SZ,
       "Fran\xe7"
       "ais \"q\" \\ \xff\0"s},
      {REG_SZ, ""s},
      {REG_EXPAND_SZ, "%HOME%\\x\0"s},
      {REG_BINARY, "\x00\x01\xfe\xff"s},
      {REG_DWORD, "\x07\x00\x00\x00"s},
      {REG_DWORD, "\x07\x00"s},
      {REG_MULTI_SZ, "a\0b\0\0"s},
      {0xdeadbeef, "?"s},
  };
  for (size_t i = 0; i < values.size(); ++i) {
    set(registry_, "Software\\Korvel\\JUVO", std::to_string(i).c_str(), values[i].first,
        values[i].second);
  }
  Registry reader(hiveFile());
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(get(reader, "Software\\Korvel\\JUVO", std::to_string(i).c_str()),
              (Stored{values[i].first, values[i].second}))
        << i;
  }
}

TEST_F(RegistryTest, ClassesRootIsUnderTheUserAndLocalMachineIsApart) {
  HKEY key = create(registry_, HKEY_CLASSES_ROOT, "juvo.juvo_main\\CLSID");
  registry_.RegCloseKey(key);
  HKEY found = nullptr;
  EXPECT_EQ(
      registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Classes\\juvo.juvo_main\\CLSID", &found),
      ERROR_SUCCESS);
  registry_.RegCloseKey(found);

  key = create(registry_, HKEY_LOCAL_MACHINE, "Software\\Apart");
  registry_.RegCloseKey(key);
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Apart", &found),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_LOCAL_MACHINE, "software\\apart", &found), ERROR_SUCCESS);
  registry_.RegCloseKey(found);
}

TEST_F(RegistryTest, ClosedAndUnknownHandlesAreRefused) {
  HKEY key = create(registry_, HKEY_CURRENT_USER, "Software\\Korvel");
  EXPECT_EQ(registry_.RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegCloseKey(key), ERROR_INVALID_HANDLE);

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
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE}) {
    EXPECT_EQ(registry_.RegCloseKey(root), ERROR_SUCCESS);
  }
}

TEST_F(RegistryTest, DeletingATreeRemovesEverythingBelowIt) {
  set(registry_, "Software\\Korvel\\JUVO\\Deep", "v", REG_SZ, "x\0"s);
  HKEY deep = nullptr;
  ASSERT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Korvel\\JUVO\\Deep", &deep),
            ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegDeleteTreeA(HKEY_CURRENT_USER, "software\\korvel"), ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Korvel"), ERROR_FILE_NOT_FOUND);

  DWORD size = 0;
  HKEY child = nullptr;
  EXPECT_EQ(registry_.RegQueryValueExA(deep, "v", nullptr, nullptr, nullptr, &size),
            ERROR_KEY_DELETED);
  EXPECT_EQ(registry_.RegCreateKeyA(deep, "x", &child), ERROR_KEY_DELETED);
  EXPECT_EQ(registry_.RegCloseKey(deep), ERROR_SUCCESS);
  EXPECT_EQ(Registry(hiveFile()).RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Korvel", &child),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(temp_.read("config/registry.reg"), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n");
}

TEST_F(RegistryTest, SeesWhatAnotherWriterPutInTheFile) {
  Registry other(hiveFile());
  set(registry_, "Software\\Korvel\\JUVO", "language", REG_SZ, "English\0"s);
  EXPECT_EQ(get(other, "Software\\Korvel\\JUVO", "language"), (Stored{REG_SZ, "English\0"s}));
  set(other, "Software\\Korvel\\JUVO", "language", REG_SZ, "Deutsch\0"s);
  EXPECT_EQ(get(registry_, "Software\\Korvel\\JUVO", "language"), (Stored{REG_SZ, "Deutsch\0"s}));
}

TEST_F(RegistryTest, AChangeThatChangesNothingLeavesTheFileAlone) {
  set(registry_, "Software\\Korvel\\JUVO", "language", REG_SZ, "English\0"s);
  struct stat before {};
  ASSERT_EQ(::stat(hiveFile().c_str(), &before), 0);

  set(registry_, "Software\\Korvel\\JUVO", "language", REG_SZ, "English\0"s);
  Registry secondRun(hiveFile());
  set(secondRun, "software\\korvel\\juvo", "LANGUAGE", REG_SZ, "English\0"s);
  HKEY key = create(secondRun, HKEY_CURRENT_USER, "Software");
  secondRun.RegCloseKey(key);
  key = create(secondRun, HKEY_LOCAL_MACHINE, "");  // a root, first used: no section of its own
  secondRun.RegCloseKey(key);
  EXPECT_EQ(secondRun.RegDeleteTreeA(HKEY_LOCAL_MACHINE, nullptr), ERROR_SUCCESS);

  struct stat after {};
  ASSERT_EQ(::stat(hiveFile().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
}

TEST_F(RegistryTest, ADamagedFileIsKeptAsideAndReportedOnce) {
  const std::string damaged = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\nbroken line\n";
  temp_.write("config/registry.reg", damaged);
  temp_.write("config/registry.reg.damaged", "an earlier one");

  ::testing::internal::CaptureStderr();
  HKEY key = nullptr;
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software", &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software", &key), ERROR_FILE_NOT_FOUND);
  set(registry_, "Software\\Korvel\\JUVO", "language", REG_SZ, "English\0"s);
  std::string report = ::testing::internal::GetCapturedStderr();

  fs::path kept = hiveFile().string() + ".damaged.1";
  EXPECT_EQ(temp_.read("config/registry.reg.damaged.1"), damaged);
  EXPECT_EQ(temp_.read("config/registry.reg.damaged"), "an earlier one");
  EXPECT_NE(report.find(hiveFile().string() + " "), std::string::npos) << report;
  EXPECT_NE(report.find(kept.string()), std::string::npos) << report;
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
  EXPECT_EQ(get(registry_, "Software\\Korvel\\JUVO", "language"), (Stored{REG_SZ, "English\0"s}));
  EXPECT_NE(temp_.read("config/registry.reg").find("\"language\"=\"English\""), std::string::npos);
}

TEST_F(RegistryTest, WithoutAWritableLocationChangesStayInMemoryOnly) {
  temp_.write("blocker", "a file where the folder should be");
  Registry registry(temp_.path() / "blocker" / "juvo" / "registry.reg");

  ::testing::internal::CaptureStderr();
  set(registry, "Software\\Korvel\\JUVO", "language", REG_SZ, "English\0"s);
  EXPECT_EQ(get(registry, "Software\\Korvel\\JUVO", "language"), (Stored{REG_SZ, "English\0"s}));
  EXPECT_EQ(registry.RegDeleteTreeA(HKEY_CURRENT_USER, "Software"), ERROR_SUCCESS);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(temp_.read("blocker"), "a file where the folder should be");
}

TEST_F(RegistryTest, TheUsersHiveFollowsTheConfigFolder) {
  ::setenv("XDG_CONFIG_HOME", temp_.path().c_str(), 1);
  EXPECT_EQ(Registry::user().hiveFile(), temp_.path() / "juvo" / "registry.reg");
}

}  // namespace
}  // namespace platform
