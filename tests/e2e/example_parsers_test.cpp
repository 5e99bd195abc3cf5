// The VBScript example parsers of examples/parsers, run by the real host against their sites,
// which the loopback server plays: the pages recorded beside each parser (NAME.pages/, which
// juvo-parser test replays as well) are served at their paths, and the site's address in the
// parser is replaced by the server's. What the chat receives is asserted line by line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "loopback_server.h"
#include "page_store.h"
#include "platform/base/text.h"

namespace juvo::testing {
namespace {

std::filesystem::path examples() {
  return std::filesystem::path(JUVO_EXAMPLES_DIR) / "parsers";
}

std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

class ExampleParsers : public HostTest {
 protected:
  // Installs examples/parsers/NAME.vbs with its site on the loopback server.
  void install(const std::string& name) {
    std::string source = fileText(examples() / (name + ".vbs"));
    const auto pages = tool::readPages(examples() / (name + ".pages"));
    ASSERT_FALSE(pages.empty()) << name << " has no recorded pages";
    std::set<std::string> origins;
    for (const auto& [address, page] : pages) {
      const std::string url = platform::toUtf8(address);
      const size_t host = url.find("://");
      ASSERT_NE(host, std::string::npos) << url;
      const size_t path = url.find('/', host + 3);
      const std::string origin = url.substr(0, path);
      if (origins.insert(origin).second) {
        ASSERT_NE(source.find(origin), std::string::npos)
            << name << ".vbs does not name " << origin;
        replaceAll(source, origin, server.base());
      }
      server.serve(path == std::string::npos ? "/" : url.substr(path), responseTo(page));
    }
    moduleFolder_.write("JUVO/Parsers/" + name + ".vbs", source);
  }

  // What the site answered, as the server sends it: the text in UTF-8, or the error status
  // the recorded failure names.
  static LoopbackServer::Response responseTo(const tool::RecordedPage& page) {
    if (page.failure) {
      const std::string reason = platform::toUtf8(page.failure->description());
      return {.status = reason.find(" 404 ") != std::string::npos ? 404 : 500, .body = reason};
    }
    const std::string body = platform::toUtf8(page.document.text);
    const bool xml = body.starts_with("<?xml");
    return {.body = body,
            .contentType = xml ? "text/xml; charset=utf-8" : "text/html; charset=utf-8"};
  }

  // The address the parser fetched, as the chat's messages name it.
  std::string served(const std::string& path) const { return server.url(path); }

  HostRun chat(const std::string& input) {
    HostRun result = run(input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.find("Parser error."), std::string::npos) << result.out;
    return result;
  }

  LoopbackServer server;
};

TEST_F(ExampleParsers, RatesConvertAtTheDaysReferenceRates) {
  install("rates");
  const HostRun result = chat(
      "/xjuvo rates USD\n"
      "/xjuvo rates 100 usd\n"
      "/xjuvo rates 250 USD GBP\n"
      "/xjuvo rates 1,5 gbp in jpy\n"
      "/xjuvo rates XYZ\n"
      "/xjuvo rates dollars\n"
      "@OK\n");
  EXPECT_EQ(result.linesStartingWith("[sent]"),
            (std::vector<std::string>{
                "[sent] 1 EUR = 1.0813 USD (ECB reference rate of 2024-02-29)",
                "[sent] 100 EUR = 108.13 USD (ECB reference rate of 2024-02-29)",
                "[sent] 250 USD = 197.98 GBP (ECB reference rates of 2024-02-29)",
                "[sent] 1.50 GBP = 284.69 JPY (ECB reference rates of 2024-02-29)",
                "[sent] The ECB has no rate for XYZ.",
            }))
      << result.out;
  at(result,
     "[box Parser script message|OK|none] Name a currency, as in: rates USD, or rates 250 USD "
     "GBP.\n");
  EXPECT_EQ(server.requestsFor("/stats/eurofxref/eurofxref-daily.xml"), 5u);
}

TEST_F(ExampleParsers, AFeedThatCannotBeReadIsSaidToTheUserAlone) {
  install("rates");
  install("headlines");
  server.serve("/stats/eurofxref/eurofxref-daily.xml", {.status = 503, .body = "busy"});
  server.serve("/news/rss.xml", {.status = 404, .body = "gone"});
  const HostRun result = chat("/xjuvo rates USD\n@OK\n/xjuvo headlines\n@OK\n");
  EXPECT_EQ(result.linesStartingWith("[sent]"), std::vector<std::string>{}) << result.out;
  const size_t rates = at(result,
                          "[box Parser script message|OK|none] The ECB's rates could not be read: "
                          "The server answered 503");
  at(result,
     "[box Parser script message|OK|none] The news feed could not be read: The server answered "
     "404",
     rates);
}

TEST_F(ExampleParsers, HeadlinesComeNewestFirstAndByWord) {
  install("headlines");
  const HostRun result = chat(
      "/xjuvo headlines\n"
      "/xjuvo headlines 1\n"
      "/xjuvo headlines CLIMATE\n"
      "/xjuvo headlines volcano\n");
  const size_t three = at(result,
                          "[sent] - Storm Isha brings floods to the north coast\n"
                          "- Climate talks end with a deal on methane\n"
                          "- Leap day babies celebrate a rare birthday\n");
  const size_t one = at(result, "[sent] - Storm Isha brings floods to the north coast\n[", three);
  const size_t climate = at(result,
                            "[sent] - Climate talks end with a deal on methane\n"
                            "- Scientists map the ocean floor in record detail\n",
                            one);
  at(result, "[sent] No headline mentions volcano.\n", climate);
  EXPECT_EQ(result.out.find("[box"), std::string::npos) << result.out;
}

TEST_F(ExampleParsers, WikiSendsTheOpeningOfAnArticle) {
  install("wiki");
  const HostRun result = chat(
      "/xjuvo wiki Amsterdam\n"
      "/xjuvo wiki Example stub\n"
      "/xjuvo wiki Nowhereville\n"
      "/xjuvo wiki\n"
      "@OK\n");
  EXPECT_EQ(
      result.linesStartingWith("[sent]"),
      (std::vector<std::string>{
          "[sent] Amsterdam (/\u02c8\u00e6mst\u0259rd\u00e6m/ AM-st\u0259r-dam; Dutch: "
          "[\u02cc\u0251mst\u0259r\u02c8d\u0251m]) is the capital and largest city of the "
          "Kingdom of the Netherlands. It has a population of 933,680 in June 2024 within the "
          "city proper, 1,457,018 in the urban area and 2,480,394 in the metropolitan area. "
          "Found within the Dutch province of...",
          "[sent] The example stub is an article of one sentence.",
          "[sent] Wikipedia has no article called Nowhereville.",
      }))
      << result.out;
  at(result,
     "[box Parser script message|OK|none] Name an article after the parser's name, as in: wiki "
     "Amsterdam.\n");
}

TEST_F(ExampleParsers, ForecastReadsATableByItsColumnNames) {
  install("forecast");
  const HostRun result = chat(
      "/xjuvo forecast Amsterdam\n"
      "/xjuvo forecast Amsterdam FRIDAY\n"
      "/xjuvo forecast Utrecht tomorrow\n"
      "/xjuvo forecast Amsterdam wednesday\n"
      "/xjuvo forecast Atlantis\n");
  EXPECT_EQ(result.linesStartingWith("[sent]"),
            (std::vector<std::string>{
                "[sent] Amsterdam, Thursday: sunny, 12\u00b0C / 4\u00b0C, rain 10%",
                "[sent] Amsterdam, Friday: light rain, 9\u00b0C / 6\u00b0C, rain 80%",
                "[sent] Utrecht, Friday: drizzle, 9\u00b0C / 5\u00b0C, rain 60%",
                "[sent] The forecast for Amsterdam has no wednesday.",
                "[sent] No forecast for Atlantis: The server answered 404 Not Found for " +
                    served("/forecast/atlantis"),
            }))
      << result.out;
  EXPECT_EQ(result.out.find("[box"), std::string::npos) << result.out;
}

TEST_F(ExampleParsers, QuotePicksValuesOutOfThePagesText) {
  install("quote");
  const HostRun result = chat(
      "/xjuvo quote AAPL\n"
      "/xjuvo quote msft\n"
      "/xjuvo quote xyzzy\n");
  EXPECT_EQ(result.linesStartingWith("[sent]"),
            (std::vector<std::string>{
                "[sent] Apple Inc. (AAPL): 180.75 USD, -0.87 (-0.48%)",
                "[sent] Microsoft Corporation (MSFT): 413.64 USD, +6.92 (+1.70%)",
                "[sent] No quote for XYZZY.",
            }))
      << result.out;
}

}  // namespace
}  // namespace juvo::testing
