// TidyDocument: HTML Tidy over one document, the stand-in for the tidy component's document
// object. It parses markup from a text, takes options by their HTML Tidy names, cleans and
// repairs, and saves the result to a text. Texts cross as UTF-16; libtidy reads and writes
// UTF-8 underneath, so the character-encoding options are the document's own and not for
// setting.
//
// Messages arrive through onMessage while an operation runs (almost all during the parse),
// with the levels of the classic Tidy enumeration:
//   0 information, 1 warning, 2 configuration, 3 accessibility, 4 error, 5 bad document,
//   6 fatal; libtidy's dialogue and footnote levels follow from 7 on.
// As in HTML Tidy's own report, errors after the first show-errors (6 unless set) are left out.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

struct TidyMessage {
  int32_t level = 0;
  int32_t line = 0;    // 1-based, in the parsed text
  int32_t column = 0;  // 1-based
  std::u16string text;
};

inline constexpr int32_t kTidyErrorLevel = 4;

class TidyDocument {
 public:
  TidyDocument();
  ~TidyDocument();
  TidyDocument(const TidyDocument&) = delete;
  TidyDocument& operator=(const TidyDocument&) = delete;

  // Called for each message as it arrives. It may show a box and wait for the user. If it
  // throws, the rest of the operation's messages are dropped and, once libtidy has returned,
  // the operation throws that failure.
  std::function<void(const TidyMessage&)> onMessage;

  // Sets option `name` ("output-xml", "doctype", ...) to `value` ("yes", "omit", "0"), as
  // HTML Tidy's configuration reads it. Raises kInvalidArg for an unknown name, a value the
  // option does not take, or an encoding option.
  void setOption(std::string_view name, std::string_view value);

  // Parses `markup` as HTML. Returns libtidy's status: 0 clean, 1 warnings, 2 errors. Raises
  // kFail when libtidy cannot parse at all.
  int parseString(std::u16string_view markup);

  // Cleans and repairs the parsed document under the options set. Status as above.
  int cleanAndRepair();

  // The document as text, in the form the options ask for. Empty when libtidy writes nothing
  // (a page with errors, unless force-output is set). Raises kFail when saving fails.
  std::u16string saveString();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
