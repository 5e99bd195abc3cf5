// The XML DOM that parsers and the plug-in use, the stand-in for MSXML's DOMDocument (version
// 3), over libxml2. A document and its nodes are automation objects, so parser scripts in
// either language use them through the members they know from the Windows DOM; the plug-in's
// own C++ code uses the few typed calls below.
//
// Loading never throws for bad input: a text or file that is not well-formed XML (or a file
// that cannot be opened) leaves the document without a root element and a non-zero
// parseError().errorCode. Entities are never fetched from outside and the network is never
// reached by the parser itself.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/dispatch_object.h"
#include "platform/base/stop_check.h"

namespace platform {

class ObjectCatalogue;
class WebTransfer;

namespace xml {

// Whether `load` may read local files. Scripts never get that; the language-file loader does.
enum class FileLoading { kRefused, kAllowed };

struct ParseError {
  int32_t errorCode = 0;   // 0 when the last load gave a well-formed document
  std::u16string reason;   // what went wrong, ending in a line break ("" when nothing did)
  int32_t line = 0;        // 1-based line of the error in the loaded text
  int32_t linepos = 0;     // 1-based column
  std::u16string srcText;  // that line's text, cut from the loaded input
  std::u16string url;      // the file or address loaded, "" for loadXML
};

class XmlNode;

class XmlDocument : public DispatchObject {
 public:
  // Parses `text` (the encoding its declaration names is ignored: the text is already text).
  // True when it is well formed.
  virtual bool loadXML(std::u16string_view text) = 0;
  // Reads and parses `location` before returning: an http or https address through the web
  // transfer; a local file only with FileLoading::kAllowed, read in the encoding the document
  // declares by the rules of XML. True when it is well formed.
  virtual bool load(std::u16string_view location) = 0;
  virtual const ParseError& parseError() const = 0;

  // The root element, or nullptr.
  virtual std::shared_ptr<XmlNode> documentElement() = 0;
  // The elements named `name` (exact letter case) at any depth, in document order.
  virtual std::vector<std::shared_ptr<XmlNode>> getElementsByTagName(std::u16string_view name) = 0;
  // The first node the XPath expression selects from the document, or nullptr.
  virtual std::shared_ptr<XmlNode> selectSingleNode(std::u16string_view xpath) = 0;

 protected:
  using DispatchObject::DispatchObject;
};

class XmlNode : public DispatchObject {
 public:
  // The DOM's name: the element's qualified name, "#text", "#comment", "#cdata-section",
  // "#document", ...
  virtual std::u16string nodeName() const = 0;
  // The whole text content of the node and its descendants, entities resolved.
  virtual std::u16string text() const = 0;
  // The child nodes in document order (whitespace-only text nodes are not nodes unless the
  // document preserves whitespace).
  virtual std::vector<std::shared_ptr<XmlNode>> childNodes() = 0;

 protected:
  using DispatchObject::DispatchObject;
};

// A new, empty document. `web` serves load() of http and https addresses; such a load gives up
// when `stop` says so (the script that made the document must stop).
std::shared_ptr<XmlDocument> makeDocument(WebTransfer& web,
                                          FileLoading files = FileLoading::kRefused,
                                          StopCheck stop = {});

// Puts the document into `catalogue` under the names parsers create it by:
// "MSXML2.DOMDocument", "MSXML2.DOMDocument.3.0", "MSXML2.DOMDocument.6.0", "Microsoft.XMLDOM".
// Documents made there never read local files.
void registerDocuments(ObjectCatalogue& catalogue, WebTransfer& web);

}  // namespace xml
}  // namespace platform
