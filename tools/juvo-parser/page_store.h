// Recorded pages: what the web gave for each address a parser's examples fetched, kept in a
// folder beside the parser (weather.vbs, weather.examples, weather.pages/), one file per
// address, so that the examples run without the internet.
//
// A page file is text: header lines "name: value", an empty line, then the document's text
// exactly as the web transfer decoded it, in UTF-8:
//
//   url: http://example.org/weather?q=Amsterdam
//   status: 200
//   charset: utf-8
//   bytes: 1532
//   final-url: https://example.org/weather/amsterdam      (only after a redirect)
//
//   <html>...
//
// A fetch that failed is recorded with "error: NUMBER DESCRIPTION" (the number in hex, as
// 0x800C0006) in place of status, charset and bytes, and no text; replaying it fails the same
// way. Header lines may end in CR LF; the text is taken byte for byte. Files are named after
// their address (readable, with a short hash that keeps addresses apart) and end in ".page";
// the file name carries no meaning when reading, so a page may be copied and edited by hand.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/error.h"
#include "platform/inet/web_transfer.h"

namespace juvo::tool {

struct RecordedPage {
  std::u16string url;
  platform::WebDocument document;          // when the fetch gave one
  std::optional<platform::Error> failure;  // when it failed
};

// The page file's text for `page`.
std::string formatPage(const RecordedPage& page);
// The page in the text of a page file. Raises FileProblem naming `file` and the line.
RecordedPage parsePage(std::string_view text, const std::filesystem::path& file);

// The name of the file that records `url`: "example.org_weather_q_Amsterdam-1a2b3c4d.page".
std::string pageFileName(std::u16string_view url);

// Every page recorded in `folder`, by address; none when the folder does not exist. Raises
// FileProblem for a damaged page file, or two files recording one address.
std::map<std::u16string, RecordedPage> readPages(const std::filesystem::path& folder);

// Records `page` in `folder` (made when missing), replacing an earlier record of its address
// atomically. Raises FileProblem when it cannot.
void writePage(const std::filesystem::path& folder, const RecordedPage& page);

}  // namespace juvo::tool
