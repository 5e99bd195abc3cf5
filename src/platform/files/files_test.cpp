#include "platform/files/files.h"

#include <gtest/gtest.h>

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
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
  }
  std::u16string path(const std::string& name = "") const {
    return fromUtf8((root_ / name).string());
  }
  std::u16string folder() const { return fromUtf8(root_.string()); }
  fs::path root_;
};

TEST(MatchesPattern, HandlesWildcardsWithoutRegardToCase) {
  EXPECT_TRUE(matchesPattern(u"Weather.VBS", u"*.vbs"));
  EXPECT_TRUE(matchesPattern(u"a.vbs", u"?.vbs"));
  EXPECT_FALSE(matchesPattern(u"ab.vbs", u"?.vbs"));
  EXPECT_TRUE(matchesPattern(u"x.js", u"*.js"));
  EXPECT_FALSE(matchesPattern(u"x.json", u"*.js"));
  EXPECT_TRUE(matchesPattern(u"a.b.c", u"*.*"));
  EXPECT_TRUE(matchesPattern(u"aXbXc", u"a*b*c"));
}

TEST_F(FilesTest, FindListsOrdinaryFilesOnlyWhenAsked) {
  write("b.vbs", "");
  write("A.VBS", "");
  write(".hidden.vbs", "");
  fs::create_directory(root_ / "dir.vbs");
  write("c.js", "");
  auto files = find(folder() + u"/*.vbs", Entries::kOrdinaryFiles);
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::u16string>{u"A.VBS", u"b.vbs"}));
  auto all = find(folder() + u"/*.vbs", Entries::kFilesAndFolders);
  EXPECT_EQ(all.size(), 4u);
}

TEST_F(FilesTest, FindInAMissingFolderIsEmpty) {
  EXPECT_TRUE(find(folder() + u"/nope/*.vbs", Entries::kOrdinaryFiles).empty());
  EXPECT_TRUE(find(folder() + u"/", Entries::kOrdinaryFiles).empty());
}

TEST_F(FilesTest, ReadLinesSplitsAtCrAndCrLfOnly) {
  write("t.txt", "one\r\ntwo\rthree\nstill three\r\n");
  EXPECT_EQ(readLines(path("t.txt")),
            (std::vector<std::u16string>{u"one", u"two", u"three\nstill three"}));
  write("empty.txt", "");
  EXPECT_TRUE(readLines(path("empty.txt")).empty());
  write("blank.txt", "\r\n\r\n");
  EXPECT_EQ(readLines(path("blank.txt")).size(), 2u);
}

TEST_F(FilesTest, ReadLinesDecodesTheAnsiCodePage) {
  write("latin.txt", toAnsi(u"caf\u00e9"));
  EXPECT_EQ(readLines(path("latin.txt")), std::vector<std::u16string>{u"caf\u00e9"});
}

TEST_F(FilesTest, ReadLinesFailsClearly) {
  EXPECT_EQ(errorNumberOf([&] { readLines(path("missing.txt")); }),
            numberOf(ErrorCode::kFileNotFound));
  fs::create_directory(root_ / "x.js");
  EXPECT_EQ(errorNumberOf([&] { readLines(path("x.js")); }), numberOf(ErrorCode::kPathFileAccess));
}

TEST_F(FilesTest, CreateFolderNeedsItsParentAndRefusesExistingNames) {
  createFolder(path("JUVO"));
  EXPECT_TRUE(fs::is_directory(root_ / "JUVO"));
  EXPECT_EQ(errorNumberOf([&] { createFolder(path("JUVO")); }),
            numberOf(ErrorCode::kFileAlreadyExists));
  EXPECT_EQ(errorNumberOf([&] { createFolder(path("a/b")); }), numberOf(ErrorCode::kPathNotFound));
}

TEST_F(FilesTest, DeleteFileRemovesFilesOnly) {
  write("p.vbs", "x");
  deleteFile(path("p.vbs"));
  EXPECT_FALSE(exists(path("p.vbs")));
  EXPECT_EQ(errorNumberOf([&] { deleteFile(path("p.vbs")); }), numberOf(ErrorCode::kFileNotFound));
  fs::create_directory(root_ / "d");
  EXPECT_NE(errorNumberOf([&] { deleteFile(path("d")); }), 0);
}

TEST_F(FilesTest, DeleteInAReadOnlyFolderFails) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  write("p.vbs", "x");
  fs::permissions(root_, fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(errorNumberOf([&] { deleteFile(path("p.vbs")); }),
            numberOf(ErrorCode::kPermissionDenied));
  EXPECT_TRUE(exists(path("p.vbs")));
}

}  // namespace
}  // namespace platform::files
