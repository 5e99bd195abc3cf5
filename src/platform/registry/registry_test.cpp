#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

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

  // The bytes of a REG_SZ under the settings key, or "missing".
  std::string get(Registry& registry, const char* name) {
    HKEY key = nullptr;
    if (registry.RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Korvel\\JUVO", &key) != ERROR_SUCCESS)
      return "missing";
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
            "[HKEY_CURRENT_USER\\Software]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Korvel]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO\\Sub]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Classes]\n\n"
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

TEST_F(RegistryTest, ADamagedFileIsKeptAsideAndReportedOnce) {
  const std::string damaged = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\nbroken line\n";
  temp_.write("config/registry.reg", damaged);
  temp_.write("config/registry.reg.damaged", "an earlier one");

  ::testing::internal::CaptureStderr();
  HKEY key = nullptr;
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software", &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software", &key), ERROR_FILE_NOT_FOUND);
  set(registry_, "language", "English\0"s);
  std::string report = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(temp_.read("config/registry.reg.damaged.1"), damaged);
  EXPECT_EQ(temp_.read("config/registry.reg.damaged"), "an earlier one");
  EXPECT_NE(report.find(hiveFile().string() + " "), std::string::npos) << report;
  EXPECT_NE(report.find(hiveFile().string() + ".damaged.1"), std::string::npos) << report;
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
  Registry nextRun(hiveFile());
  EXPECT_EQ(get(nextRun, "language"), "English\0"s);
}

TEST_F(RegistryTest, WithoutAWritableLocationChangesStayInMemoryOnly) {
  temp_.write("blocker", "a file where the folder should be");
  Registry registry(temp_.path() / "blocker" / "juvo" / "registry.reg");
  ::testing::internal::CaptureStderr();
  set(registry, "language", "English\0"s);
  EXPECT_EQ(get(registry, "language"), "English\0"s);
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
