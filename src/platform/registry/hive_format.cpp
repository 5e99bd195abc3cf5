#include "platform/registry/hive_format.h"

#include <algorithm>
#include <optional>

#include "platform/base/text.h"

namespace platform::hive {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
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
  char digits[8];
  int count = 0;
  do {
    digits[count++] = kHexDigits[number & 0xF];
    number >>= 4;
  } while (number != 0);
  for (int i = count; i < minDigits; ++i)
    out.push_back('0');
  while (count > 0)
    out.push_back(digits[--count]);
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

void appendSection(std::string& out, std::string_view path, const Key& key) {
  out.push_back('[');
  out += path;
  out += "]\n";
  for (const Value& value : key.values())
    appendValue(out, value);
  out.push_back('\n');
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

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) {
           return p == (t >= 'A' && t <= 'Z' ? static_cast<char>(t + ('a' - 'A')) : t);
         });
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

// The key path of a section line, or the problem with it.
std::optional<KeyPath> parseSectionPath(std::string_view line, const char*& problem) {
  problem = "not a key name";
  if (line.size() < 2 || line.back() != ']') return std::nullopt;
  std::string_view inside = line.substr(1, line.size() - 2);
  // Counted first: a line of a million names is refused before it is taken apart.
  if (static_cast<size_t>(std::count(inside.begin(), inside.end(), '\\')) > kMaxKeyDepth + 1) {
    problem = "a key more than 512 levels deep";
    return std::nullopt;
  }
  auto names = splitKeyPath(inside);
  if (!names || names->empty()) {
    for (size_t start = 0; start <= inside.size();) {
      size_t end = std::min(inside.find('\\', start), inside.size());
      if (!keyNameFits(inside.substr(start, end - start))) {
        problem = "a key name longer than 255 characters";
      }
      start = end + 1;
    }
    return std::nullopt;
  }
  std::u16string root = foldName(names->front());
  if (root == foldName(kCurrentUser)) {
    names->front() = kCurrentUser;
  } else if (root == foldName(kLocalMachine)) {
    names->front() = kLocalMachine;
  } else if (root == foldName(kClassesRoot)) {
    names->front() = kCurrentUser;
    names->insert(names->begin() + 1, {"Software", "Classes"});
  } else {
    problem = "not below HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT";
    return std::nullopt;
  }
  if (!depthFits(*names)) {
    problem = "a key more than 512 levels deep";
    return std::nullopt;
  }
  return names;
}

struct ParsedValue {
  std::string name;
  DWORD type = REG_NONE;
  std::string data;
};

// The value's name and where its data begins, after the '=' and any blanks around it.
std::optional<std::string> parseValueName(std::string_view line, size_t& dataStart,
                                          const char*& problem) {
  problem = "not a value";
  std::string name;
  size_t pos = 0;
  if (line.starts_with('@')) {
    pos = 1;
  } else {
    auto quoted = parseQuoted(line, pos);
    if (!quoted || quoted->empty()) return std::nullopt;
    if (!valueNameFits(*quoted)) {
      problem = "a value name longer than 16383 characters";
      return std::nullopt;
    }
    name = std::move(*quoted);
  }
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
    ++pos;
  if (pos >= line.size() || line[pos] != '=') return std::nullopt;
  ++pos;
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
    ++pos;
  dataStart = pos;
  return name;
}

std::optional<ParsedValue> parseValueData(std::string name, std::string_view data) {
  ParsedValue value;
  value.name = std::move(name);
  if (data.starts_with('"')) {
    size_t end = 0;
    auto text = parseQuoted(data, end);
    if (!text || end != data.size()) return std::nullopt;
    value.type = REG_SZ;
    value.data = std::move(*text);
    value.data.push_back('\0');
  } else if (startsWithIgnoringCase(data, "dword:")) {
    auto number = parseHexNumber(trimBlanks(data.substr(6)));
    if (!number) return std::nullopt;
    value.type = REG_DWORD;
    for (int i = 0; i < 4; ++i)
      value.data.push_back(static_cast<char>(*number >> (8 * i)));
  } else if (startsWithIgnoringCase(data, "hex:")) {
    auto bytes = parseHexBytes(data.substr(4));
    if (!bytes) return std::nullopt;
    value.type = REG_BINARY;
    value.data = std::move(*bytes);
  } else if (startsWithIgnoringCase(data, "hex(")) {
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

// The text's lines, one at a time, without their line ends (LF or CR LF).
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}

  bool next(std::string_view& line) {
    if (start_ >= text_.size()) return false;
    size_t end = text_.find('\n', start_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(start_, end - start_);
    if (line.ends_with('\r')) line.remove_suffix(1);
    start_ = end + 1;
    ++number_;
    return true;
  }

  // 1-based, of the line last returned.
  size_t number() const { return number_; }

 private:
  std::string_view text_;
  size_t start_ = 0;
  size_t number_ = 0;
};

class HiveReader {
 public:
  explicit HiveReader(std::string_view text) : lines_(text) {}

  ParsedHive read() {
    result_.top = std::make_unique<Key>();
    std::string_view line;
    if (!lines_.next(line)) return std::move(result_);
    if (trimBlanks(line) == kHeader) {
      if (!lines_.next(line)) return std::move(result_);
    } else {
      damage(1, "no REGEDIT4 header");
    }
    do {
      readLine(trimBlanks(line));
    } while (lines_.next(line));
    return std::move(result_);
  }

 private:
  void readLine(std::string_view line) {
    if (line.empty() || line.starts_with(';')) return;
    if (line.starts_with('[')) {
      readSection(line);
    } else if (line.starts_with('"') || line.starts_with('@')) {
      readValue(line);
    } else {
      damage(lines_.number(), "neither a key nor a value");
    }
  }

  void readSection(std::string_view line) {
    const char* problem = nullptr;
    std::optional<KeyPath> path = parseSectionPath(line, problem);
    if (!path) {
      damage(lines_.number(), problem);
      current_ = nullptr;
      inDamagedKey_ = true;
      return;
    }
    bool created = false;
    current_ = &createKey(*result_.top, *path, created);
    inDamagedKey_ = false;
  }

  void readValue(std::string_view line) {
    const size_t first = lines_.number();
    size_t dataStart = 0;
    const char* problem = nullptr;
    std::optional<std::string> name = parseValueName(line, dataStart, problem);
    std::string_view data = name ? line.substr(dataStart) : std::string_view();
    // Only hex data continues on the next line; a damaged text value must not swallow it.
    std::string joined;
    if (startsWithIgnoringCase(data, "hex") && data.ends_with('\\')) {
      joined.assign(data);
      std::string_view next;
      while (joined.ends_with('\\') && lines_.next(next)) {
        joined.pop_back();
        joined += trimBlanks(next);
      }
      data = joined;
    }
    if (!name) return damage(first, problem);
    if (!current_) {
      return damage(first, inDamagedKey_ ? "a value of a damaged key" : "a value outside any key");
    }
    std::optional<ParsedValue> value = parseValueData(std::move(*name), data);
    if (!value) return damage(first, "not a value");
    current_->setValue(value->name, value->type, value->data);
  }

  void damage(size_t number, const char* problem) {
    // The first line may be both without the header and damaged in itself: one report.
    if (!result_.damaged.empty() && result_.damaged.back().number == number) return;
    if (result_.damaged.size() < kDamagedLinesKept) result_.damaged.push_back({number, problem});
    ++result_.damagedCount;
  }

  Lines lines_;
  ParsedHive result_;
  Key* current_ = nullptr;
  bool inDamagedKey_ = false;
};

}  // namespace

std::string formatHive(const Key& top) {
  std::string out = std::string(kHeader) + "\n\n";
  // Depth first without recursion, over one path that grows and shrinks with the walk.
  struct Step {
    const Key* key;
    size_t pathLength;
    size_t nextSubKey;
  };
  std::vector<Step> walk;
  std::string path;
  for (const auto& root : top.subKeys()) {
    path = root->name();
    if (!root->values().empty()) appendSection(out, path, *root);
    walk.push_back({root.get(), path.size(), 0});
    while (!walk.empty()) {
      Step& step = walk.back();
      if (step.nextSubKey == step.key->subKeys().size()) {
        walk.pop_back();
        continue;
      }
      const Key& key = *step.key->subKeys()[step.nextSubKey++];
      path.resize(step.pathLength);
      path.push_back('\\');
      path += key.name();
      if (!key.values().empty() || key.subKeys().empty()) appendSection(out, path, key);
      walk.push_back({&key, path.size(), 0});
    }
  }
  return out;
}

ParsedHive parseHive(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return HiveReader(text).read();
}

}  // namespace platform::hive
