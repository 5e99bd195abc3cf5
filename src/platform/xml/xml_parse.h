// Parsing text and files into trees, with the report of the first error. The parser never
// reaches the network or a file other than the one loaded: external entities and document
// types are refused, internal entities are expanded.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/xml/xml_document.h"
#include "platform/xml/xml_tree.h"

namespace platform::xml {

// The number of a parse error: the XML facility's range (as the Windows DOM's numbers are),
// 0xC00CE000 plus libxml2's error number.
int32_t parseErrorNumber(int libxmlCode);

struct Parsed {
  std::shared_ptr<Tree> tree;  // nullptr when the input is not well-formed
  ParseError error;            // errorCode 0 when it is; `url` is left for the caller
};

// Parses `text`; an encoding its declaration names is ignored. Unless `preserveWhiteSpace`,
// whitespace-only text is dropped (except under xml:space="preserve").
Parsed parseText(std::u16string_view text, bool preserveWhiteSpace);

// Parses the bytes of a file in the encoding they declare by the rules of XML (byte-order mark,
// declaration, else UTF-8). `name` is the file's name for libxml2's own use.
Parsed parseBytes(std::string_view bytes, const std::string& name, bool preserveWhiteSpace);

// A ParseError that is no parse error: a file that cannot be read, a refused address.
ParseError failure(int32_t errorCode, std::u16string_view reason);

}  // namespace platform::xml
