// The byte forms of the string functions: LenB, LeftB, RightB, MidB and InStrB count in the
// bytes of a string, two to a character (UTF-16, low byte first). A result that ends in half
// a character keeps that byte as a character of its own, as ChrB makes one.
#include <algorithm>
#include <string>

#include "platform/base/text.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::Variant;
using Args = std::span<Variant>;

std::string bytesOf(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

Variant textOfBytes(std::string_view bytes) {
  std::u16string text;
  text.reserve((bytes.size() + 1) / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  if (bytes.size() % 2 != 0) text.push_back(static_cast<unsigned char>(bytes.back()));
  return Variant(std::move(text));
}

Variant lenB(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  return Variant(static_cast<int32_t>(TextArgument(context, args[0]).size() * 2));
}

Variant leftB(BuiltinContext& context, Args args) {
  const size_t count = countArgument(context, args[1]);
  if (args[0].isNull()) return Variant::null();
  const std::string bytes = bytesOf(TextArgument(context, args[0]));
  return textOfBytes(std::string_view(bytes).substr(0, count));
}

Variant rightB(BuiltinContext& context, Args args) {
  const size_t count = countArgument(context, args[1]);
  if (args[0].isNull()) return Variant::null();
  const std::string bytes = bytesOf(TextArgument(context, args[0]));
  return textOfBytes(std::string_view(bytes).substr(bytes.size() - std::min(count, bytes.size())));
}

Variant midB(BuiltinContext& context, Args args) {
  const size_t start = positionArgument(context, args[1]);
  const size_t count = given(args[2]) ? countArgument(context, args[2]) : std::string::npos;
  if (args[0].isNull()) return Variant::null();
  const std::string bytes = bytesOf(TextArgument(context, args[0]));
  if (start > bytes.size()) return Variant(u"");
  return textOfBytes(std::string_view(bytes).substr(start - 1, count));
}

// InStrB([start, ]string1, string2[, compare]): the byte position of string2 in string1.
Variant inStrB(BuiltinContext& context, Args args) {
  const bool withStart = given(args[2]);
  const Variant& haystack = withStart ? args[1] : args[0];
  const Variant& needle = withStart ? args[2] : args[1];
  const size_t start = withStart ? positionArgument(context, args[0]) : 1;
  const Compare compare = withStart ? compareArgument(context, args[3]) : Compare::kBinary;
  if (haystack.isNull() || needle.isNull()) return Variant::null();
  const TextArgument text(context, haystack);
  const TextArgument sought(context, needle);
  if (text.empty()) return Variant(int32_t{0});
  if (sought.empty()) return Variant(static_cast<int32_t>(start));
  const std::string bytes =
      bytesOf(compare == Compare::kText ? platform::toLower(text) : std::u16string(text.view()));
  const std::string soughtBytes = bytesOf(
      compare == Compare::kText ? platform::toLower(sought) : std::u16string(sought.view()));
  if (start > bytes.size()) return Variant(int32_t{0});
  const size_t at = bytes.find(soughtBytes, start - 1);
  return Variant(static_cast<int32_t>(at == std::string::npos ? 0 : at + 1));
}

constexpr Builtin kFunctions[] = {
    {u"InStrB", 2, 4, inStrB}, {u"LeftB", 2, 2, leftB},   {u"LenB", 1, 1, lenB},
    {u"MidB", 2, 3, midB},     {u"RightB", 2, 2, rightB},
};

}  // namespace

std::span<const Builtin> byteStringFunctions() {
  return kFunctions;
}

}  // namespace vbscript
