#include "page_store.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "file_problem.h"
#include "platform/base/text.h"

namespace juvo::tool {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExtension = ".page";
constexpr size_t kReadableLength = 80;

// Lower case for file names; error numbers are written in capitals, as Windows writes them.
std::string hex(uint64_t value, int digits, bool capitals = false) {
  const char* digitsOf = capitals ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4)
    text[static_cast<size_t>(i)] = digitsOf[value & 0xF];
  return text;
}

// FNV-1a over the address's UTF-8 bytes: stable across runs and machines.
uint64_t addressHash(std::string_view bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

template <class Number>
Number parseNumber(std::string_view text, const fs::path& file, int line, const char* field) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw FileProblem(file, line, std::string(field) + " is not a number: " + std::string(text));
  }
  return value;
}

// "0x800C0006 Description" into the failure it stands for.
platform::Error parseFailure(std::string_view text, const fs::path& file, int line) {
  const size_t space = text.find(' ');
  const std::string_view number = text.substr(0, space);
  uint32_t bits = 0;
  const char* end = number.data() + number.size();
  if (number.size() < 3 || number.substr(0, 2) != "0x" ||
      std::from_chars(number.data() + 2, end, bits, 16).ptr != end) {
    throw FileProblem(file, line, "error must begin with a number such as 0x800C0006");
  }
  const std::string_view description =
      space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
  return platform::Error(static_cast<int32_t>(bits), platform::fromUtf8(description));
}

}  // namespace

std::string formatPage(const RecordedPage& page) {
  std::string text = "url: " + platform::toUtf8(page.url) + "\n";
  if (page.failure) {
    text += "error: 0x" + hex(static_cast<uint32_t>(page.failure->number()), 8, true) + " " +
            platform::toUtf8(page.failure->description()) + "\n\n";
    return text;
  }
  const platform::WebDocument& document = page.document;
  text += "status: " + std::to_string(document.status) + "\n";
  text += "charset: " + document.charset + "\n";
  text += "bytes: " + std::to_string(document.bytes) + "\n";
  if (!document.url.empty() && document.url != page.url) {
    text += "final-url: " + platform::toUtf8(document.url) + "\n";
  }
  text += "\n";
  text += platform::toUtf8(document.text);
  return text;
}

RecordedPage parsePage(std::string_view text, const fs::path& file) {
  text = withoutByteOrderMark(text);
  RecordedPage page;
  bool hasUrl = false;
  bool hasStatus = false;
  size_t at = 0;
  int line = 0;
  for (;;) {
    ++line;
    if (at >= text.size()) throw FileProblem(file, line, "the header must end with an empty line");
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view header = text.substr(at, end - at);
    at = end + 1;
    if (!header.empty() && header.back() == '\r') header.remove_suffix(1);
    if (header.empty()) break;
    const size_t colon = header.find(": ");
    if (colon == std::string_view::npos) {
      throw FileProblem(file, line, "expected 'name: value', found '" + std::string(header) + "'");
    }
    const std::string_view name = header.substr(0, colon);
    const std::string_view value = header.substr(colon + 2);
    if (name == "url") {
      page.url = platform::fromUtf8(value);
      hasUrl = true;
    } else if (name == "status") {
      page.document.status = parseNumber<long>(value, file, line, "status");
      hasStatus = true;
    } else if (name == "charset") {
      page.document.charset = std::string(value);
    } else if (name == "bytes") {
      page.document.bytes = parseNumber<size_t>(value, file, line, "bytes");
    } else if (name == "final-url") {
      page.document.url = platform::fromUtf8(value);
    } else if (name == "error") {
      page.failure = parseFailure(value, file, line);
    } else {
      throw FileProblem(file, line, "unknown header '" + std::string(name) + "'");
    }
  }
  if (!hasUrl || page.url.empty()) throw FileProblem(file, 1, "the page names no url");
  if (!page.failure && !hasStatus) {
    throw FileProblem(file, 1, "the page has neither a status nor an error");
  }
  if (!page.failure) {
    page.document.text = platform::fromUtf8(text.substr(std::min(at, text.size())));
    if (page.document.url.empty()) page.document.url = page.url;
  }
  return page;
}

std::string pageFileName(std::u16string_view url) {
  const std::string bytes = platform::toUtf8(url);
  std::string_view rest = bytes;
  for (std::string_view scheme : {"http://", "https://"}) {
    if (rest.substr(0, scheme.size()) == scheme) rest.remove_prefix(scheme.size());
  }
  std::string readable;
  for (char c : rest) {
    if (readable.size() == kReadableLength) break;
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '-';
    if (plain) {
      readable += c;
    } else if (readable.empty() || readable.back() != '_') {
      readable += '_';
    }
  }
  while (!readable.empty() && (readable.back() == '_' || readable.back() == '.'))
    readable.pop_back();
  return readable + "-" + hex(addressHash(bytes), 8) + std::string(kExtension);
}

std::map<std::u16string, RecordedPage> readPages(const fs::path& folder) {
  std::map<std::u16string, RecordedPage> pages;
  std::map<std::u16string, fs::path> recordedIn;
  std::error_code error;
  if (!fs::is_directory(folder, error)) return pages;
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() == kExtension && entry.is_regular_file(error)) {
      files.push_back(entry.path());
    }
  }
  if (error) throw FileProblem(folder, 0, "cannot be listed: " + error.message());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    RecordedPage page = parsePage(readFileBytes(file), file);
    const auto [earlier, fresh] = recordedIn.emplace(page.url, file);
    if (!fresh) {
      throw FileProblem(file, 1,
                        "records the same url as " + earlier->second.filename().string() + ": " +
                            platform::toUtf8(page.url));
    }
    pages.emplace(page.url, std::move(page));
  }
  return pages;
}

void writePage(const fs::path& folder, const RecordedPage& page) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) throw FileProblem(folder, 0, "cannot be made: " + error.message());
  writeFileAtomically(folder / pageFileName(page.url), formatPage(page));
}

}  // namespace juvo::tool
