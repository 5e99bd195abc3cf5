// cengine: the engine object, the one object a parser sees, under the name `engine`. Every run
// and every information display makes a fresh one; it lives as long as that operation.
//
// Members, as scripts reach them (names without regard to case):
//   help, syntax, description, argument, document   texts, read and write
//   globals                                         an object reference, read and write
//   getXML(url, func[, tidy[, preXML]])             fetch, tidy, parse, call back (below)
//   output(text)                                    sets the result text (replacing it)
//   alert(text)                                     a box: OK, no icon, "Parser script message"
//   ret                                             the result text, read only
//
// Any value a script writes or passes becomes text by Visual Basic's rules (toText); Null, an
// object without a default member, a wrong number of arguments or an index on a text property
// are script errors of the call that did it.
//
// getXML fetches `url` through the host and keeps the text in `document`; calls the script's
// procedure `preXML` (when not empty), which may rewrite `document`; loads a new XML document
// from `document`, tidied first when `tidy` is true (`document` itself keeps the text as it
// was); then either shows the parse error's reason in a box (OK, no icon, "Juvo") and returns
// normally, or calls the script's procedure `func` with the document. A failed fetch, tidy or
// callback raises, and so reaches the script as a run-time error of its getXML call.
//
// `globals` holds whatever object reference a script puts into it (both assignment forms) and
// gives it back; it starts as Nothing and nothing in the plug-in reads it. Putting a value
// that is no object into it raises Type mismatch.
#pragma once

#include <string>

#include "platform/automation/dispatch_object.h"

namespace juvo {

class EngineHost;
class SharedObjects;

class cengine : public platform::DispatchObject {
 public:
  // The defaults, in this order: argument empty; help, description and syntax from the string
  // table in use; the result empty. Raises kObjectVariableNotSet when there is no string table.
  // `host` lends what getXML needs; both outlive the object's use by a script.
  cengine(SharedObjects& shared, EngineHost& host);

  std::u16string typeName() const override { return u"cengine"; }

  const std::u16string& help() const { return help_; }
  const std::u16string& syntax() const { return syntax_; }
  const std::u16string& description() const { return description_; }
  const std::u16string& argument() const { return argument_; }
  const std::u16string& document() const { return document_; }
  // The result text: what the parser passed last to output, empty if it never did.
  const std::u16string& ret() const { return result_; }

  void setArgument(std::u16string argument) { argument_ = std::move(argument); }

 private:
  static const platform::MemberTable& members();
  void alert(const std::u16string& text);
  void getXML(std::u16string_view url, std::u16string_view func, bool tidy,
              std::u16string_view preXML);

  SharedObjects& shared_;
  EngineHost& host_;
  std::u16string argument_;
  std::u16string help_;
  std::u16string description_;
  std::u16string syntax_;
  std::u16string result_;
  std::u16string document_;
  platform::ObjectPtr globals_;
};

}  // namespace juvo
