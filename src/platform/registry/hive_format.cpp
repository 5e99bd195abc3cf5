#include "platform/registry/hive_format.h"

#include <optional>
#include <vector>

#include "platform/base/text.h"

namespace platform::hive {

namespace {

constexpr char kHeader[] = "REGEDIT4";
constexpr char kHexDigits[] = "0123456789abcdef";

// ---- Writing ----

void appendQuoted(std::string& out, std::string_view text) {
  out.push_back('"');
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
}

void appendHexNumber(std::string& out, uint32_t number, int minDigits) {
  std::string digits;
  do {
    digits.insert(digits.begin(), kHexDigits[number & 0xF]);
    number >>= 4;
  } while (number != 0);
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  out += digits;
}

void appendHexBytes(std::string& out, std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out.push_back(',');
    auto b = static_cast<unsigned char>(bytes[i]);
    out.push_back(kHexDigits[b >> 4]);
    out.push_back(kHexDigits[b & 0xF]);
  }
}

// Text form only when reading it back gives the very same bytes.
bool storableAsText(std::string_view data) {
  return !data.empty() && data.back() == '\0' &&
         data.find_first_of(std::string_view("\0\r\n", 3)) == data.size() - 1;
}

void appendValue(std::string& out, const Value& value) {
  if (value.name.empty()) {
    out.push_back('@');
  } else {
    appendQuoted(out, value.name);
  }
  out.push_back('=');
  const std::string& data = value.data;
  if (value.type == REG_SZ && storableAsText(data)) {
    appendQuoted(out, std::string_view(data).substr(0, data.size() - 1));
  } else if (value.type == REG_DWORD && data.size() == 4) {
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i)
      number = (number << 8) | static_cast<unsigned char>(data[i]);
    out += "dword:";
    appendHexNumber(out, number, 8);
  } else {
    if (value.type == REG_BINARY) {
      out += "hex:";
    } else {
      out += "hex(";
      appendHexNumber(out, value.type, 1);
      out += "):";
    }
    appendHexBytes(out, data);
  }
  out.push_back('\n');
}

void appendSection(std::string& out, const std::string& path, const Key& key, bool isRoot) {
  if (!isRoot || !key.values.empty()) {
    out += '[' + path + "]\n";
    for (const Value& value : key.values)
      appendValue(out, value);
    out.push_back('\n');
  }
  for (const auto& subKey : key.subKeys) {
    appendSection(out, path + '\\' + subKey->name, *subKey, false);
  }
}

// ---- Reading ----

std::optional<uint32_t> parseHexNumber(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t number = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
    if (digit < 0) return std::nullopt;
    number = (number << 4) | static_cast<uint32_t>(digit);
  }
  return number;
}

std::string_view trimBlanks(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t");
  return text.substr(start, end - start + 1);
}

std::optional<std::string> parseHexBytes(std::string_view text) {
  std::string bytes;
  if (trimBlanks(text).empty()) return bytes;
  size_t start = 0;
  while (true) {
    size_t comma = text.find(',', start);
    std::string_view item =
        trimBlanks(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
    auto byte = item.size() <= 2 ? parseHexNumber(item) : std::nullopt;
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<char>(*byte));
    if (comma == std::string_view::npos) return bytes;
    start = comma + 1;
  }
}

// Reads the quoted text starting at text[pos] == '"'; pos ends after the closing quote.
std::optional<std::string> parseQuoted(std::string_view text, size_t& pos) {
  std::string out;
  ++pos;
  while (pos < text.size()) {
    char c = text[pos++];
    if (c == '"') return out;
    if (c == '\\') {
      if (pos >= text.size() || (text[pos] != '\\' && text[pos] != '"')) return std::nullopt;
      c = text[pos++];
    }
    out.push_back(c);
  }
  return std::nullopt;
}

std::optional<KeyPath> parseSectionPath(std::string_view line) {
  if (line.size() < 2 || line.back() != ']') return std::nullopt;
  auto names = splitKeyPath(line.substr(1, line.size() - 2));
  if (!names || names->empty()) return std::nullopt;
  std::u16string root = foldName(names->front());
  if (root == foldName(kCurrentUser)) {
    names->front() = kCurrentUser;
  } else if (root == foldName(kLocalMachine)) {
    names->front() = kLocalMachine;
  } else if (root == foldName(kClassesRoot)) {
    names->front() = kCurrentUser;
    names->insert(names->begin() + 1, {"Software", "Classes"});
  } else {
    return std::nullopt;
  }
  return names;
}

struct ParsedValue {
  std::string name;
  DWORD type = REG_NONE;
  std::string data;
};

std::optional<ParsedValue> parseValue(std::string_view line) {
  ParsedValue value;
  size_t pos = 0;
  if (line.starts_with('@')) {
    pos = 1;
  } else {
    auto name = parseQuoted(line, pos);
    if (!name || name->empty()) return std::nullopt;
    value.name = std::move(*name);
  }
  if (pos >= line.size() || line[pos] != '=') return std::nullopt;
  std::string_view data = line.substr(pos + 1);
  if (data.starts_with('"')) {
    size_t end = 0;
    auto text = parseQuoted(data, end);
    if (!text || end != data.size()) return std::nullopt;
    value.type = REG_SZ;
    value.data = std::move(*text);
    value.data.push_back('\0');
  } else if (data.starts_with("dword:")) {
    auto number = parseHexNumber(data.substr(6));
    if (!number) return std::nullopt;
    value.type = REG_DWORD;
    for (int i = 0; i < 4; ++i)
      value.data.push_back(static_cast<char>(*number >> (8 * i)));
  } else if (data.starts_with("hex:")) {
    auto bytes = parseHexBytes(data.substr(4));
    if (!bytes) return std::nullopt;
    value.type = REG_BINARY;
    value.data = std::move(*bytes);
  } else if (data.starts_with("hex(")) {
    size_t close = data.find("):");
    auto type =
        close == std::string_view::npos ? std::nullopt : parseHexNumber(data.substr(4, close - 4));
    auto bytes = type ? parseHexBytes(data.substr(close + 2)) : std::nullopt;
    if (!bytes) return std::nullopt;
    value.type = *type;
    value.data = std::move(*bytes);
  } else {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The value line at lines[i] with its continuation lines; i ends on the last line used. Only
// hex lines can end in '\': a text value's line ends in its closing quote.
std::string joinContinuations(const std::vector<std::string_view>& lines, size_t& i) {
  std::string joined(lines[i]);
  while (joined.ends_with('\\') && i + 1 < lines.size()) {
    joined.pop_back();
    joined += trimBlanks(lines[++i]);
  }
  return joined;
}

}  // namespace

std::string formatHive(const Key& top) {
  std::string out = std::string(kHeader) + "\n\n";
  for (const auto& root : top.subKeys)
    appendSection(out, root->name, *root, true);
  return out;
}

ParsedHive parseHive(std::string_view text) {
  ParsedHive result;
  auto fail = [&](size_t line, std::string problem) {
    result.badLine = line + 1;
    result.problem = std::move(problem);
    return std::move(result);
  };
  std::vector<std::string_view> lines = splitLines(text);
  if (lines.empty() || lines[0] != kHeader) return fail(0, "no REGEDIT4 header");

  auto top = std::make_unique<Key>();
  Key* current = nullptr;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.empty() || line.starts_with(';')) continue;
    if (line.starts_with('[')) {
      auto path = parseSectionPath(line);
      if (!path) return fail(i, "not a key name");
      bool created = false;
      current = &createKey(*top, *path, created);
    } else if (line.starts_with('"') || line.starts_with('@')) {
      size_t first = i;
      std::string joined = joinContinuations(lines, i);
      auto value = parseValue(joined);
      if (!value) return fail(first, "not a value");
      if (!current) return fail(first, "a value outside any key");
      current->setValue(value->name, value->type, value->data);
    } else {
      return fail(i, "neither a key nor a value");
    }
  }
  result.top = std::move(top);
  return result;
}

}  // namespace platform::hive
