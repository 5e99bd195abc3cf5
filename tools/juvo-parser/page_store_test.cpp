#include "page_store.h"

#include <gtest/gtest.h>

#include <set>

#include "error_testing.h"
#include "file_problem.h"
#include "replaying_web.h"
#include "temp_folder.h"

namespace juvo::tool {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;
using juvo::testing::TempFolder;
using platform::ErrorCode;

RecordedPage document(std::u16string url, std::u16string text) {
  RecordedPage page;
  page.url = url;
  page.document = {std::move(text), 200, 1234, "windows-1252", url, {}};
  return page;
}

RecordedPage failure(std::u16string url, int32_t number, std::u16string description) {
  RecordedPage page;
  page.url = std::move(url);
  page.failure = platform::Error(number, std::move(description));
  return page;
}

std::string problem(std::string_view text) {
  try {
    parsePage(text, "p.page");
  } catch (const FileProblem& error) {
    return error.what();
  }
  return "(accepted)";
}

// A transfer that answers from a table and counts what it was asked.
class TableTransfer final : public platform::WebTransfer {
 public:
  platform::WebDocument openUrl(std::u16string_view url, const platform::StopCheck&) override {
    ++asked;
    if (url == u"http://x/stop") platform::raise(ErrorCode::kAborted);
    if (url == u"http://x/down") platform::raise(ErrorCode::kWebCannotConnect, u"refused");
    if (url == u"http://x/missing") platform::raise(ErrorCode::kWebNotFound, u"404 for it");
    return {u"page of " + std::u16string(url), 200, 9, "utf-8", std::u16string(url), {}};
  }
  int asked = 0;
};

TEST(PageStore, PagesAndFailuresSurviveTheirFileWhole) {
  RecordedPage redirected = document(u"http://example.org/w?q=Amsterdam", u"<p>12 °C</p>\r\n\n");
  redirected.document.url = u"https://example.org/w/amsterdam";
  const RecordedPage pages[] = {
      redirected,
      document(u"http://example.org/empty", u""),
      failure(u"http://example.org/gone", static_cast<int32_t>(0x800C0006), u"Not found: gone"),
  };
  for (const RecordedPage& page : pages) {
    const RecordedPage read = parsePage(formatPage(page), "p.page");
    EXPECT_EQ(read.url, page.url);
    EXPECT_EQ(read.failure.has_value(), page.failure.has_value());
    if (page.failure) {
      EXPECT_EQ(read.failure->number(), page.failure->number());
      EXPECT_EQ(read.failure->description(), page.failure->description());
      continue;
    }
    EXPECT_EQ(read.document.text, page.document.text);
    EXPECT_EQ(read.document.status, page.document.status);
    EXPECT_EQ(read.document.bytes, page.document.bytes);
    EXPECT_EQ(read.document.charset, page.document.charset);
    EXPECT_EQ(read.document.url, page.document.url);
  }
  EXPECT_EQ(formatPage(pages[1]),
            "url: http://example.org/empty\nstatus: 200\ncharset: windows-1252\nbytes: 1234\n\n");
  EXPECT_EQ(formatPage(pages[2]),
            "url: http://example.org/gone\nerror: 0x800C0006 Not found: gone\n\n");
  // A page written by hand, with Windows line ends in its header.
  const RecordedPage hand = parsePage("url: http://a/\r\nstatus: 200\r\n\r\n<x/>\r\n", "p.page");
  EXPECT_EQ(hand.document.text, u"<x/>\r\n");
  EXPECT_EQ(hand.document.url, u"http://a/");
  // Saved with a byte-order mark, as editors on Windows save.
  EXPECT_EQ(parsePage("\xEF\xBB\xBFurl: http://a/\r\nstatus: 200\r\n\r\n<x/>", "p.page").url,
            u"http://a/");
}

TEST(PageStore, DamagedPagesAreNamedByFileAndLine) {
  EXPECT_EQ(problem(""), "p.page:1: the header must end with an empty line");
  EXPECT_EQ(problem("url: http://a/\nstatus: 200\n"),
            "p.page:3: the header must end with an empty line");
  EXPECT_EQ(problem("status: 200\n\n"), "p.page:1: the page names no url");
  EXPECT_EQ(problem("url: http://a/\n\nbody"),
            "p.page:1: the page has neither a status nor an error");
  EXPECT_EQ(problem("url: http://a/\nstatus: ok\n\n"), "p.page:2: status is not a number: ok");
  EXPECT_EQ(problem("url: http://a/\nkind: page\n\n"), "p.page:2: unknown header 'kind'");
  EXPECT_EQ(problem("url: http://a/\nno colon here\n\n"),
            "p.page:2: expected 'name: value', found 'no colon here'");
  EXPECT_EQ(problem("url: http://a/\nerror: 404 gone\n\n"),
            "p.page:2: error must begin with a number such as 0x800C0006");
}

TEST(PageStore, FileNamesAreReadableAndKeepAddressesApart) {
  EXPECT_EQ(pageFileName(u"http://example.org/weather?q=Amsterdam").substr(0, 32),
            "example.org_weather_q_Amsterdam-");
  std::set<std::string> names;
  for (const char16_t* url : {u"http://a/x?q=1", u"http://a/x?q=2", u"https://a/x?q=1",
                              u"http://a/x/q/1", u"http://a/x q 1"}) {
    const std::string name = pageFileName(url);
    EXPECT_EQ(name.find('/'), std::string::npos);
    EXPECT_EQ(name.substr(name.size() - 5), ".page");
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 5u);
  EXPECT_LE(pageFileName(u"http://a/" + std::u16string(5000, u'x')).size(), 100u);
}

TEST(PageStore, AFolderOfPagesIsReadBackByAddress) {
  TempFolder folder;
  EXPECT_TRUE(readPages(folder.path() / "none").empty());
  writePage(folder.path() / "w.pages", document(u"http://a/1", u"one"));
  writePage(folder.path() / "w.pages", document(u"http://a/2", u"two"));
  writePage(folder.path() / "w.pages", document(u"http://a/1", u"one again"));
  folder.write("w.pages/notes.txt", "not a page");
  const auto pages = readPages(folder.path() / "w.pages");
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages.at(u"http://a/1").document.text, u"one again");

  // A copy made by hand that still records the same address.
  folder.write("w.pages/copy.page", formatPage(document(u"http://a/2", u"copy")));
  try {
    readPages(folder.path() / "w.pages");
    ADD_FAILURE() << "two records of one address were accepted";
  } catch (const FileProblem& error) {
    EXPECT_NE(std::string(error.what()).find("records the same url as"), std::string::npos);
  }
}

TEST(ReplayingWeb, AnswersAsRecordedAndNamesWhatWasNot) {
  std::map<std::u16string, RecordedPage> pages;
  pages.emplace(u"http://a/1", document(u"http://a/1", u"one"));
  pages.emplace(u"http://a/gone", failure(u"http://a/gone", numberOf(ErrorCode::kWebNotFound),
                                          u"The server answered 404"));
  ReplayingWebTransfer replay(std::move(pages));
  EXPECT_EQ(replay.openUrl(u"http://a/1", {}).text, u"one");
  try {
    replay.openUrl(u"http://a/gone", {});
    ADD_FAILURE() << "a recorded failure was not raised";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.description(), u"The server answered 404");
  }
  try {
    replay.openUrl(u"http://a/1?other", {});
    ADD_FAILURE() << "an address that was not recorded was answered";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.description(), u"No page is recorded for http://a/1?other");
  }
  EXPECT_EQ(replay.takeMisses(), std::vector<std::u16string>{u"http://a/1?other"});
  EXPECT_TRUE(replay.takeMisses().empty());
}

TEST(RecordingWeb, RecordsPagesAndWhatTheServerSaidButNotTheWayThereFailing) {
  TempFolder folder;
  const auto pagesFolder = folder.path() / "w.pages";
  writePage(pagesFolder, document(u"http://x/old", u"kept"));
  writePage(pagesFolder, document(u"http://x/down", u"recorded while it was up"));
  TableTransfer live;
  RecordingWebTransfer recorder(live, pagesFolder);
  EXPECT_EQ(recorder.openUrl(u"http://x/a", {}).text, u"page of http://x/a");
  EXPECT_EQ(recorder.openUrl(u"http://x/a", {}).text, u"page of http://x/a");
  EXPECT_EQ(errorNumberOf([&] { recorder.openUrl(u"http://x/missing", {}); }),
            numberOf(ErrorCode::kWebNotFound));
  EXPECT_EQ(errorNumberOf([&] { recorder.openUrl(u"http://x/down", {}); }),
            numberOf(ErrorCode::kWebCannotConnect));
  EXPECT_EQ(errorNumberOf([&] { recorder.openUrl(u"http://x/stop", {}); }),
            numberOf(ErrorCode::kAborted));
  EXPECT_EQ(live.asked, 5);
  EXPECT_EQ(recorder.recorded(), (std::vector<std::u16string>{u"http://x/a", u"http://x/missing"}));

  // What was recorded replays as it came; the page of the server that was down is kept.
  ReplayingWebTransfer replay(readPages(pagesFolder));
  EXPECT_EQ(replay.openUrl(u"http://x/a", {}).charset, "utf-8");
  EXPECT_EQ(replay.openUrl(u"http://x/old", {}).text, u"kept");
  EXPECT_EQ(replay.openUrl(u"http://x/down", {}).text, u"recorded while it was up");
  try {
    replay.openUrl(u"http://x/missing", {});
    ADD_FAILURE() << "the recorded failure was not raised";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.description(), u"404 for it");
  }
  EXPECT_EQ(errorNumberOf([&] { replay.openUrl(u"http://x/stop", {}); }),
            numberOf(ErrorCode::kWebNotFound));
  EXPECT_EQ(replay.takeMisses(), std::vector<std::u16string>{u"http://x/stop"});
}

}  // namespace
}  // namespace juvo::tool
