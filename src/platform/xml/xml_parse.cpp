#include "platform/xml/xml_parse.h"

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/text.h"

namespace platform::xml {

namespace {

constexpr int kParseOptions =
    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOENT;
// A source line longer than this is cut around the error's column.
constexpr size_t kMaxSourceText = 1024;

xmlParserInputPtr refuseExternal(const char*, const char*, xmlParserCtxtPtr) {
  return nullptr;
}

void ignoreMessage(void*, const char*, ...) {}
void ignoreError(void*, xmlErrorPtr) {}

void prepareLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    xmlInitParser();
    // A document never pulls anything in from outside: no entity, no document type.
    xmlSetExternalEntityLoader(refuseExternal);
  });
  // Errors without a parser (the encoders') would go to standard error; ours are reported
  // through the parser.
  xmlSetGenericErrorFunc(nullptr, ignoreMessage);
  xmlSetStructuredErrorFunc(nullptr, ignoreError);
}

struct FirstError {
  bool seen = false;
  int code = 0;
  int line = 0;
  int column = 0;
  std::string message;
};

// The parser's error channel: keeps the first error (later ones follow from it).
void noteError(void* userData, xmlErrorPtr error) {
  auto* ctxt = static_cast<xmlParserCtxtPtr>(userData);
  if (ctxt == nullptr || error == nullptr || error->level < XML_ERR_ERROR) return;
  auto* first = static_cast<FirstError*>(ctxt->_private);
  if (first == nullptr || first->seen) return;
  first->seen = true;
  first->code = error->code;
  first->line = error->line;
  first->column = error->int2;
  if (error->message != nullptr) first->message = error->message;
}

bool isSpace(xmlChar c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isBlank(const xmlChar* text) {
  if (text == nullptr) return true;
  for (; *text; ++text) {
    if (!isSpace(*text)) return false;
  }
  return true;
}

// xml:space on `element`, else what its parent had.
bool preservesSpace(const xmlNode* element, bool inherited) {
  for (const xmlAttr* attr = element->properties; attr != nullptr; attr = attr->next) {
    if (attr->ns == nullptr || !xmlStrEqual(attr->name, BAD_CAST "space") ||
        !xmlStrEqual(attr->ns->href, XML_XML_NAMESPACE)) {
      continue;
    }
    const xmlChar* value = attr->children ? attr->children->content : nullptr;
    if (xmlStrEqual(value, BAD_CAST "preserve")) return true;
    if (xmlStrEqual(value, BAD_CAST "default")) return false;
  }
  return inherited;
}

// Drops whitespace-only text outside xml:space="preserve", noting where it was.
void dropWhitespace(Tree& tree) {
  std::vector<char> preserve;  // per element entered
  xmlNode* node = tree.doc()->children;
  while (node != nullptr) {
    if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
      preserve.push_back(preservesSpace(node, !preserve.empty() && preserve.back()));
      node = node->children;
      continue;
    }
    const bool drop = node->type == XML_TEXT_NODE && !(!preserve.empty() && preserve.back()) &&
                      isBlank(node->content);
    xmlNode* after = node->next;
    for (xmlNode* up = node->parent;
         after == nullptr && up != nullptr && up->type == XML_ELEMENT_NODE; up = up->parent) {
      preserve.pop_back();
      after = up->next;
    }
    if (drop) {
      tree.forgetSpaceBefore(node);
      if (node->next != nullptr) {
        tree.markSpaceBefore(node->next);
      } else {
        tree.markSpaceAtEnd(node->parent);
      }
      xmlUnlinkNode(node);
      xmlFreeNode(node);
    }
    node = after;
  }
}

// The content of an XML declaration at the start of `text` ("version=\"1.0\""), if any.
std::optional<std::u16string> declarationOf(std::u16string_view text) {
  if (!text.empty() && text[0] == 0xFEFF) text.remove_prefix(1);
  if (text.size() < 6 || text.substr(0, 5) != u"<?xml" || !isSpace(static_cast<xmlChar>(text[5])))
    return std::nullopt;
  const size_t end = text.find(u"?>");
  if (end == std::u16string_view::npos) return std::nullopt;
  std::u16string_view content = text.substr(5, end - 5);
  while (!content.empty() && content.front() < 0x80 &&
         isSpace(static_cast<xmlChar>(content.front())))
    content.remove_prefix(1);
  while (!content.empty() && content.back() < 0x80 && isSpace(static_cast<xmlChar>(content.back())))
    content.remove_suffix(1);
  return std::u16string(content);
}

// The declaration is a node of the document, as the Windows DOM has it: a processing
// instruction named "xml" before everything else.
void addDeclarationNode(Tree& tree, const std::u16string& content) {
  xmlDocPtr doc = tree.doc();
  xmlNode* pi = xmlNewDocPI(doc, BAD_CAST "xml", BAD_CAST toUtf8(content).c_str());
  if (pi == nullptr) throw std::bad_alloc();
  pi->parent = tree.docNode();
  pi->next = doc->children;
  if (doc->children != nullptr) {
    doc->children->prev = pi;
  } else {
    doc->last = pi;
  }
  doc->children = pi;
}

// Line `line` (1-based) of `text`, without its line break; a long line is cut around `column`.
std::u16string sourceLine(std::u16string_view text, int line, int column) {
  if (line < 1) return {};
  size_t start = 0;
  for (int current = 1; current < line; ++current) {
    const size_t lineFeed = text.find(u'\n', start);
    if (lineFeed == std::u16string_view::npos) return {};
    start = lineFeed + 1;
  }
  size_t end = text.find(u'\n', start);
  if (end == std::u16string_view::npos) end = text.size();
  if (end > start && text[end - 1] == u'\r') --end;
  std::u16string_view result = text.substr(start, end - start);
  if (result.size() > kMaxSourceText) {
    const size_t at = column > 0 ? static_cast<size_t>(column - 1) : 0;
    const size_t from = std::min(at > kMaxSourceText / 2 ? at - kMaxSourceText / 2 : 0,
                                 result.size() - kMaxSourceText);
    result = result.substr(from, kMaxSourceText);
  }
  return std::u16string(result);
}

// libxml2's message as a sentence ending in a line break.
std::u16string reasonOf(std::string message) {
  while (!message.empty() && isSpace(static_cast<xmlChar>(message.back())))
    message.pop_back();
  // "Excessive depth in document: 256 use XML_PARSE_HUGE option" points to an option no script
  // can set, and counts the levels below the root element: say it as appendChild's limit is.
  constexpr std::string_view kTooDeep = "Excessive depth in document: ";
  if (message.starts_with(kTooDeep)) {
    int below = 0;
    const char* digits = message.data() + kTooDeep.size();
    std::from_chars(digits, message.data() + message.size(), below);
    message = "The document is nested more than " + std::to_string(below + 1) + " levels deep";
  }
  if (message.empty()) message = "The document is not well-formed";
  if (message.back() != '.') message += '.';
  return fromUtf8(message) + u"\r\n";
}

// Bytes of a file as text, for showing its lines: the encoding XML detects or the one the
// file declares; bytes that do not convert show as U+FFFD.
std::u16string decodeForDisplay(std::string_view bytes, const xmlChar* declared) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const xmlCharEncoding detected =
      xmlDetectCharEncoding(data, static_cast<int>(std::min<size_t>(bytes.size(), 4)));
  // "<?xm" also reads as UTF-8; only a byte-order mark says UTF-8 for sure.
  const bool utf8Mark = bytes.substr(0, 3) == "\xEF\xBB\xBF";
  xmlCharEncodingHandlerPtr handler = nullptr;
  if (detected != XML_CHAR_ENCODING_NONE && detected != XML_CHAR_ENCODING_UTF8) {
    handler = xmlGetCharEncodingHandler(detected);
  } else if (declared != nullptr && !utf8Mark) {
    handler = xmlFindCharEncodingHandler(reinterpret_cast<const char*>(declared));
  }
  std::string utf8;
  if (handler == nullptr) {
    utf8.assign(bytes);
  } else {
    xmlBufferPtr in = xmlBufferCreate();
    xmlBufferPtr out = in ? xmlBufferCreate() : nullptr;
    if (out != nullptr && xmlBufferAdd(in, data, static_cast<int>(bytes.size())) == 0) {
      while (xmlBufferLength(in) > 0) {
        const int before = xmlBufferLength(in);
        const int converted = xmlCharEncInFunc(handler, out, in);
        if (xmlBufferLength(in) == 0) break;
        if (xmlBufferLength(in) == before || converted < 0) {
          // A byte that does not convert: show it as U+FFFD and go on after it.
          xmlBufferShrink(in, 1);
          xmlBufferAdd(out, BAD_CAST "\xEF\xBF\xBD", 3);
        }
      }
      utf8.assign(reinterpret_cast<const char*>(xmlBufferContent(out)),
                  static_cast<size_t>(xmlBufferLength(out)));
    }
    if (out) xmlBufferFree(out);
    if (in) xmlBufferFree(in);
    xmlCharEncCloseFunc(handler);
  }
  std::u16string text = fromUtf8(utf8);
  if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
  return text;
}

// Where the parser's input came from, as text: for the error's source line (`whole`) and the
// declaration at its start (`start`, which may be cut anywhere after the declaration).
class Source {
 public:
  virtual ~Source() = default;
  virtual std::u16string_view whole(const xmlChar* declaredEncoding) = 0;
  virtual std::u16string_view start(const xmlChar* declaredEncoding) = 0;
};

Parsed parse(std::string_view input, const char* name, const char* encoding, int options,
             bool preserveWhiteSpace, Source& source) {
  prepareLibrary();
  Parsed result;
  if (input.size() > static_cast<size_t>(INT32_MAX)) {
    result.error = failure(parseErrorNumber(XML_ERR_NO_MEMORY), u"The document is too large");
    return result;
  }
  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  if (ctxt == nullptr) throw std::bad_alloc();
  FirstError first;
  ctxt->_private = &first;
  ctxt->sax->serror = noteError;
  xmlDocPtr doc = xmlCtxtReadMemory(ctxt, input.data(), static_cast<int>(input.size()), name,
                                    encoding, options);
  const bool wellFormed = doc != nullptr && ctxt->wellFormed && ctxt->nsWellFormed;
  if (!wellFormed) {
    if (doc != nullptr) xmlFreeDoc(doc);
    std::u16string_view text;
    try {
      // The encoding the parser switched to, when it got as far as the declaration.
      const xmlChar* declared = ctxt->encoding;
      if (declared == nullptr && ctxt->input != nullptr) declared = ctxt->input->encoding;
      text = source.whole(declared);
    } catch (...) {
      xmlFreeParserCtxt(ctxt);
      throw;
    }
    xmlFreeParserCtxt(ctxt);
    result.error.errorCode = parseErrorNumber(first.code);
    result.error.reason = reasonOf(first.message);
    result.error.line = first.line;
    result.error.linepos = first.column;
    result.error.srcText = sourceLine(text, first.line, first.column);
    return result;
  }
  xmlFreeParserCtxt(ctxt);
  result.tree = std::make_shared<Tree>(doc, preserveWhiteSpace);
  if (!preserveWhiteSpace) dropWhitespace(*result.tree);
  if (std::optional<std::u16string> declaration = declarationOf(source.start(doc->encoding))) {
    addDeclarationNode(*result.tree, *declaration);
  }
  return result;
}

class TextSource final : public Source {
 public:
  explicit TextSource(std::u16string_view text) : text_(text) {}
  std::u16string_view whole(const xmlChar*) override { return text_; }
  std::u16string_view start(const xmlChar*) override { return text_; }

 private:
  std::u16string_view text_;
};

class BytesSource final : public Source {
 public:
  explicit BytesSource(std::string_view bytes) : bytes_(bytes) {}
  std::u16string_view whole(const xmlChar* declared) override {
    return text_ = decodeForDisplay(bytes_, declared);
  }
  // The declaration is short and comes first: a few hundred bytes hold it in any encoding.
  std::u16string_view start(const xmlChar* declared) override {
    return text_ = decodeForDisplay(bytes_.substr(0, 512), declared);
  }

 private:
  std::string_view bytes_;
  std::u16string text_;
};

}  // namespace

int32_t parseErrorNumber(int libxmlCode) {
  return static_cast<int32_t>(0xC00CE000u + static_cast<uint32_t>(libxmlCode & 0xFFF));
}

ParseError failure(int32_t errorCode, std::u16string_view reason) {
  ParseError error;
  error.errorCode = errorCode;
  error.reason = reasonOf(toUtf8(reason));
  return error;
}

Parsed parseText(std::u16string_view text, bool preserveWhiteSpace) {
  if (!text.empty() && text[0] == 0xFEFF) text.remove_prefix(1);
  const std::string utf8 = toUtf8(text);
  TextSource source(text);
  return parse(utf8, nullptr, "UTF-8", kParseOptions | XML_PARSE_IGNORE_ENC, preserveWhiteSpace,
               source);
}

Parsed parseBytes(std::string_view bytes, const std::string& name, bool preserveWhiteSpace) {
  BytesSource source(bytes);
  return parse(bytes, name.c_str(), nullptr, kParseOptions, preserveWhiteSpace, source);
}

}  // namespace platform::xml
