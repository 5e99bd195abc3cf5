#include "platform/files/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "error_testing.h"
#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform::files {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("juvo-files-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override {
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(root_);
  }
  // Writes `bytes` to the file `name` when given; the program's path of `name`.
  std::u16string path(const std::string& name, const char* bytes = nullptr) {
    if (bytes) std::ofstream(root_ / name, std::ios::binary) << bytes;
    return fromUtf8((root_ / name).string());
  }
  fs::path root_;
};

TEST(MatchesPattern, HandlesWildcardsWithoutRegardToCase) {
  EXPECT_TRUE(matchesPattern(u"Weather.VBS", u"*.vbs"));
  EXPECT_TRUE(matchesPattern(u"a.vbs", u"?.vbs"));
  EXPECT_FALSE(matchesPattern(u"ab.vbs", u"?.vbs"));
  EXPECT_FALSE(matchesPattern(u"x.json", u"*.js"));
  EXPECT_TRUE(matchesPattern(u"a.b.c", u"*.*"));
  EXPECT_TRUE(matchesPattern(u"aXbXc", u"a*b*c"));
}

TEST_F(FilesTest, FindListsOrdinaryFilesOnlyWhenAsked) {
  for (const char* name : {"b.vbs", "A.VBS", ".hidden.vbs", "c.js"})
    path(name, "");
  fs::create_directory(root_ / "dir.vbs");
  EXPECT_EQ(find(path("*.vbs"), Entries::kOrdinaryFiles),
            (std::vector<std::u16string>{u"A.VBS", u"b.vbs"}));
  EXPECT_EQ(find(path("*.vbs"), Entries::kFilesAndFolders).size(), 4u);
  EXPECT_TRUE(find(path("nope/*.vbs"), Entries::kOrdinaryFiles).empty());
  EXPECT_TRUE(find(path(""), Entries::kOrdinaryFiles).empty());
}

// As a Windows folder index keeps them: by the upper-cased code units, whatever order the
// directory itself holds them in; names equal but for case side by side, in a fixed order.
TEST_F(FilesTest, FindSortsNamesWithoutRegardToCase) {
  const std::vector<std::u16string> sorted = {
      u"10.xml", u"9.xml",       u"a.xml",      u"ab.xml", u"a_b.xml", u"B.xml",
      u"b.xml",  u"English.xml", u"german.xml", u"Z.xml",  u"_z.xml",  u"\u00e9t\u00e9.xml"};
  // Created in reverse, so that creation order cannot pass for the sort.
  for (auto name = sorted.rbegin(); name != sorted.rend(); ++name)
    path(toUtf8(*name), "");
  EXPECT_EQ(find(path("*.xml"), Entries::kOrdinaryFiles), sorted);
  EXPECT_EQ(find(path("*.XML"), Entries::kFilesAndFolders), sorted);
}

TEST_F(FilesTest, ReadLinesSplitsAtCrAndCrLfOnlyAndDecodesTheAnsiCodePage) {
  EXPECT_EQ(readLines(path("t.txt", "one\r\ntwo\rthree\nstill three\r\n")),
            (std::vector<std::u16string>{u"one", u"two", u"three\nstill three"}));
  EXPECT_TRUE(readLines(path("empty.txt", "")).empty());
  EXPECT_EQ(readLines(path("blank.txt", "\r\n\r\n")).size(), 2u);
  EXPECT_EQ(readLines(path("latin.txt", toAnsi(u"caf\u00e9").c_str())),
            std::vector<std::u16string>{u"caf\u00e9"});

  EXPECT_EQ(errorNumberOf([&] { readLines(path("missing.txt")); }),
            numberOf(ErrorCode::kFileNotFound));
  fs::create_directory(root_ / "x.js");
  EXPECT_EQ(errorNumberOf([&] { readLines(path("x.js")); }), numberOf(ErrorCode::kPathFileAccess));
}

TEST_F(FilesTest, CreateFolderNeedsItsParentAndDeleteFileTakesFilesOnly) {
  createFolder(path("JUVO"));
  EXPECT_TRUE(fs::is_directory(root_ / "JUVO"));
  EXPECT_EQ(errorNumberOf([&] { createFolder(path("JUVO")); }),
            numberOf(ErrorCode::kFileAlreadyExists));
  EXPECT_EQ(errorNumberOf([&] { createFolder(path("a/b")); }), numberOf(ErrorCode::kPathNotFound));

  deleteFile(path("p.vbs", "x"));
  EXPECT_FALSE(exists(path("p.vbs")));
  EXPECT_EQ(errorNumberOf([&] { deleteFile(path("p.vbs")); }), numberOf(ErrorCode::kFileNotFound));
  fs::create_directory(root_ / "d");
  EXPECT_EQ(errorNumberOf([&] { deleteFile(path("d")); }), numberOf(ErrorCode::kPathFileAccess));
  EXPECT_TRUE(exists(path("d")));

  // Root ignores folder permissions: the read-only case can only be seen by other users.
  if (::geteuid() != 0) {
    path("q.vbs", "x");
    fs::permissions(root_, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(errorNumberOf([&] { deleteFile(path("q.vbs")); }),
              numberOf(ErrorCode::kPermissionDenied));
    EXPECT_TRUE(exists(path("q.vbs")));
  }
}

}  // namespace
}  // namespace platform::files
