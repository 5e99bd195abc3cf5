// The document as the plug-in's own code uses it, and what scripts cannot show: files and
// their encodings, addresses, lifetimes, limits. The members as scripts see them are tested
// in dom_script_test.cpp.
#include "platform/xml/xml_document.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "error_testing.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/inet/web_transfer.h"
#include "temp_folder.h"

namespace platform::xml {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;
using juvo::testing::TempFolder;

// Serves fixed documents; any other address fails as a refused connection.
class CannedWeb final : public WebTransfer {
 public:
  std::map<std::u16string, WebDocument> pages;
  std::vector<std::u16string> asked;

  WebDocument openUrl(std::u16string_view url, const StopCheck&) override {
    asked.emplace_back(url);
    auto it = pages.find(std::u16string(url));
    if (it == pages.end()) {
      raise(ErrorCode::kFail, u"Could not connect to example.org: connection refused");
    }
    return it->second;
  }
};

WebDocument page(std::u16string text, long status) {
  WebDocument document;
  document.text = std::move(text);
  document.status = status;
  return document;
}

Variant member(const ObjectPtr& object, std::u16string_view name, std::vector<Variant> args = {}) {
  return invokeByName(*object, name, kMethod | kPropertyGet, args);
}

Variant member(const Variant& object, std::u16string_view name, std::vector<Variant> args = {}) {
  return member(object.object(), name, std::move(args));
}

class XmlDocumentTest : public ::testing::Test {
 protected:
  std::shared_ptr<XmlDocument> parsed(std::u16string_view text) {
    auto doc = makeDocument(web);
    EXPECT_TRUE(doc->loadXML(text)) << toUtf8(doc->parseError().reason);
    return doc;
  }

  CannedWeb web;
  TempFolder folder;
};

TEST_F(XmlDocumentTest, AFailedParseReportsItsFirstErrorAndLeavesNoTree) {
  const struct {
    std::u16string_view text;
    int32_t line;
    std::u16string_view srcText;
    std::u16string_view inReason;
  } cases[] = {
      {u"<a><b></a>", 1, u"<a><b></a>", u"mismatch"},
      {u"<?xml version=\"1.0\"?>\r\n<strings>\r\n  <mnuFile>x</mnuFle>\r\n</strings>", 3,
       u"  <mnuFile>x</mnuFle>", u"mnuFile"},
      {u"<a>\n\n<b c=1/></a>", 3, u"<b c=1/></a>", u"expected"},
      {u"", 1, u"", u"empty"},
      {u"<p:a/>", 1, u"<p:a/>", u"prefix"},
      {u"<a/><b/>", 1, u"<a/><b/>", u"Extra content"},
      {u"<a>&undefined;</a>", 1, u"<a>&undefined;</a>", u"undefined"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(toUtf8(c.text));
    auto doc = parsed(u"<old>tree</old>");
    EXPECT_FALSE(doc->loadXML(c.text));
    const ParseError& error = doc->parseError();
    EXPECT_NE(error.errorCode, 0);
    EXPECT_EQ(error.line, c.line);
    EXPECT_GT(error.linepos, 0);
    EXPECT_EQ(error.srcText, c.srcText);
    EXPECT_NE(error.reason.find(c.inReason), std::u16string::npos) << toUtf8(error.reason);
    ASSERT_GE(error.reason.size(), 2u);
    EXPECT_EQ(error.reason.substr(error.reason.size() - 2), u"\r\n");
    EXPECT_EQ(error.url, u"");
    EXPECT_EQ(doc->documentElement(), nullptr);
    EXPECT_TRUE(doc->getElementsByTagName(u"*").empty());
    EXPECT_EQ(toText(member(ObjectPtr(doc), u"xml")), u"");
  }
  // A good load after a bad one clears the error.
  auto doc = parsed(u"<a/>");
  EXPECT_EQ(doc->parseError().errorCode, 0);
  EXPECT_EQ(doc->parseError().reason, u"");
}

TEST_F(XmlDocumentTest, LoadXmlIgnoresTheEncodingItsDeclarationNames) {
  for (std::u16string_view declared : {u"ISO-8859-1", u"UTF-16", u"windows-1252", u"x-unknown"}) {
    auto doc = parsed(u"<?xml version=\"1.0\" encoding=\"" + std::u16string(declared) +
                      u"\"?><a>caf\u00e9 \u20ac \U0001F600</a>");
    EXPECT_EQ(doc->documentElement()->text(), u"caf\u00e9 \u20ac \U0001F600") << toUtf8(declared);
  }
  // A byte-order mark before the text is no content.
  EXPECT_EQ(parsed(u"\uFEFF<a>x</a>")->documentElement()->text(), u"x");
}

TEST_F(XmlDocumentTest, FindsElementsByExactNameInDocumentOrderAtAnyDepth) {
  auto doc = parsed(
      u"<r><Version>9</Version><x><y><version>1.5</version></y></x><version>3</version>"
      u"<updatemsg>Get <b>it</b> now</updatemsg></r>");
  const auto versions = doc->getElementsByTagName(u"version");
  ASSERT_EQ(versions.size(), 2u);
  EXPECT_EQ(versions[0]->text(), u"1.5");
  EXPECT_EQ(versions[1]->text(), u"3");
  EXPECT_TRUE(doc->getElementsByTagName(u"VERSION").empty());
  EXPECT_EQ(doc->getElementsByTagName(u"updatemsg").at(0)->text(), u"Get it now");
  EXPECT_EQ(doc->getElementsByTagName(u"*").size(), 8u);
}

TEST_F(XmlDocumentTest, TheLanguageLoaderReadsTheStringsRootAndItsChildren) {
  auto doc = parsed(
      u"<?xml version=\"1.0\"?>\n<strings>\n  <mnuFile>&amp;File</mnuFile>\n  <!-- a note -->\n"
      u"  <cmdOk>O<b>K</b></cmdOk>\n  <empty/>\n</strings>");
  auto root = doc->selectSingleNode(u"strings");
  ASSERT_NE(root, nullptr);
  std::vector<std::u16string> entries;
  for (const auto& child : root->childNodes())
    entries.push_back(child->nodeName() + u"=" + child->text());
  EXPECT_EQ(entries, (std::vector<std::u16string>{u"mnuFile=&File", u"#comment= a note ",
                                                  u"cmdOk=OK", u"empty="}));
  EXPECT_EQ(parsed(u"<Strings/>")->selectSingleNode(u"strings"), nullptr);
}

TEST_F(XmlDocumentTest, FilesAreReadInTheEncodingTheyDeclare) {
  const struct {
    const char* name;
    std::string bytes;
    std::u16string_view text;
  } cases[] = {
      {"utf8.xml", "<?xml version=\"1.0\"?><s>caf\xC3\xA9</s>", u"caf\u00e9"},
      {"bom.xml", "\xEF\xBB\xBF<s>caf\xC3\xA9</s>", u"caf\u00e9"},
      {"latin1.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><s>caf\xE9</s>", u"caf\u00e9"},
      {"cp1252.xml", "<?xml version=\"1.0\" encoding=\"windows-1252\"?><s>\x80</s>", u"\u20ac"},
      {"utf16.xml", std::string("\xFF\xFE<\0s\0>\0\xE9\0<\0/\0s\0>\0", 18), u"\u00e9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto doc = makeDocument(web, FileLoading::kAllowed);
    const std::u16string path = fromUtf8(folder.write(c.name, c.bytes).string());
    ASSERT_TRUE(doc->load(path)) << toUtf8(doc->parseError().reason);
    EXPECT_EQ(doc->documentElement()->text(), c.text);
    EXPECT_EQ(doc->parseError().url, path);
  }
}

TEST_F(XmlDocumentTest, AFileThatIsBrokenMissingOrRefusedGivesAParseErrorNotAFailure) {
  auto doc = makeDocument(web, FileLoading::kAllowed);
  const std::u16string broken = fromUtf8(
      folder
          .write("Dutch.xml",
                 "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<strings>\n<a>caf\xE9</b>\n")
          .string());
  EXPECT_FALSE(doc->load(broken));
  EXPECT_EQ(doc->parseError().line, 3);
  EXPECT_EQ(doc->parseError().srcText, u"<a>caf\u00e9</b>");
  EXPECT_EQ(doc->parseError().url, broken);

  EXPECT_FALSE(doc->load(folder.text() + u"/Missing.xml"));
  EXPECT_EQ(doc->parseError().errorCode, numberOf(ErrorCode::kFileNotFoundHr));
  EXPECT_EQ(doc->parseError().reason, u"The file cannot be found.\r\n");
  EXPECT_EQ(doc->documentElement(), nullptr);
  EXPECT_FALSE(doc->load(folder.text()));
  EXPECT_NE(doc->parseError().errorCode, 0);

  // Documents scripts create never read files, under any spelling of the path.
  const std::u16string good = fromUtf8(folder.write("good.xml", "<s>secret</s>").string());
  auto scripts = makeDocument(web);
  for (const std::u16string& location : {good, u"file://" + good, u"FILE://" + good}) {
    EXPECT_FALSE(scripts->load(location));
    EXPECT_EQ(scripts->parseError().errorCode, numberOf(ErrorCode::kAccessDeniedHr));
    EXPECT_EQ(scripts->documentElement(), nullptr);
  }
  EXPECT_TRUE(web.asked.empty());
}

TEST_F(XmlDocumentTest, AddressesAreFetchedThroughTheWebTransfer) {
  web.pages[u"http://example.org/feed"] = page(u"<rss><title>News</title></rss>", 200);
  web.pages[u"https://example.org/gone"] = page(u"<html>Not found</html>", 404);
  web.pages[u"http://example.org/page"] = page(u"<html><br></html>", 200);
  auto doc = makeDocument(web);
  ASSERT_TRUE(doc->load(u"http://example.org/feed"));
  EXPECT_EQ(doc->getElementsByTagName(u"title").at(0)->text(), u"News");
  EXPECT_EQ(toText(member(ObjectPtr(doc), u"url")), u"http://example.org/feed");

  EXPECT_FALSE(doc->load(u"https://example.org/gone"));
  EXPECT_EQ(doc->parseError().errorCode, numberOf(ErrorCode::kFileNotFoundHr));
  EXPECT_EQ(doc->parseError().reason, u"The server answered 404 for https://example.org/gone.\r\n");

  EXPECT_FALSE(doc->load(u"http://example.org/page"));
  EXPECT_EQ(doc->parseError().line, 1);
  EXPECT_EQ(doc->parseError().srcText, u"<html><br></html>");
  EXPECT_EQ(doc->parseError().url, u"http://example.org/page");

  EXPECT_FALSE(doc->load(u"HTTP://example.org/refused"));
  EXPECT_EQ(doc->parseError().errorCode, numberOf(ErrorCode::kFail));
  EXPECT_EQ(doc->parseError().reason, u"Could not connect to example.org: connection refused.\r\n");
  EXPECT_EQ(web.asked.size(), 4u);
}

TEST_F(XmlDocumentTest, NothingOutsideTheDocumentIsReadThroughEntities) {
  const std::string secret = folder.write("secret.txt", "classified").string();
  const std::u16string declarations[] = {
      u"<!DOCTYPE a [<!ENTITY x SYSTEM \"file://" + fromUtf8(secret) + u"\">]><a>&x;</a>",
      u"<!DOCTYPE a [<!ENTITY x SYSTEM \"" + fromUtf8(secret) + u"\">]><a>&x;</a>",
      u"<!DOCTYPE a [<!ENTITY % x SYSTEM \"file://" + fromUtf8(secret) + u"\"> %x;]><a/>",
      u"<!DOCTYPE a SYSTEM \"file://" + fromUtf8(secret) + u"\"><a/>",
  };
  for (const std::u16string& text : declarations) {
    auto doc = makeDocument(web);
    doc->loadXML(text);
    EXPECT_EQ(toText(member(ObjectPtr(doc), u"xml")).find(u"classified"), std::u16string::npos)
        << toUtf8(text);
  }
  // Internal entities are expanded; a billion laughs is refused, not expanded.
  EXPECT_EQ(
      parsed(u"<!DOCTYPE a [<!ENTITY e \"x&amp;y\">]><a>&e;&e;</a>")->documentElement()->text(),
      u"x&yx&y");
  std::u16string laughs = u"<!DOCTYPE a [<!ENTITY l0 \"lol\">";
  for (int i = 1; i < 12; ++i) {
    const std::u16string previous = u"&l" + decimal(i - 1) + u";";
    laughs += u"<!ENTITY l" + decimal(i) + u" \"" + previous + previous + previous + previous +
              previous + previous + previous + previous + previous + previous + u"\">";
  }
  laughs += u"]><a>&l11;</a>";
  auto doc = makeDocument(web);
  EXPECT_FALSE(doc->loadXML(laughs));
  EXPECT_NE(doc->parseError().errorCode, 0);
}

TEST_F(XmlDocumentTest, OneObjectPerNodeAndNodesKeepTheirDocumentAlive) {
  auto doc = parsed(u"<r><a>1</a><b>2</b></r>");
  EXPECT_EQ(doc->documentElement(), doc->documentElement());
  auto a = doc->getElementsByTagName(u"a").at(0);
  EXPECT_EQ(a, doc->documentElement()->childNodes().at(0));
  EXPECT_EQ(a, doc->selectSingleNode(u"//a"));
  EXPECT_EQ(member(ObjectPtr(a), u"ownerDocument").object(), ObjectPtr(doc));

  // A node outlives the document object and the load that replaced its tree.
  std::weak_ptr<XmlDocument> watch = doc;
  doc->loadXML(u"<other/>");
  EXPECT_EQ(a->text(), u"1");
  EXPECT_EQ(member(member(ObjectPtr(a), u"parentNode"), u"nodeName"), Variant(u"r"));
  doc.reset();
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(member(member(ObjectPtr(a), u"ownerDocument"), u"documentElement").object()
                ? toText(member(member(member(ObjectPtr(a), u"ownerDocument"), u"documentElement"),
                                u"nodeName"))
                : u"",
            u"other");
  a.reset();
  EXPECT_TRUE(watch.expired());
}

TEST_F(XmlDocumentTest, MarkupOfTheDocumentAndItsNodes) {
  auto doc = parsed(
      u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- c -->\n<r a=\"1 &amp; 2\">caf\u00e9 "
      u"<![CDATA[<x>]]><e/></r>");
  const ObjectPtr object = doc;
  EXPECT_EQ(toText(member(object, u"xml")),
            u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!-- c -->\r\n<r a=\"1 &amp; 2\">"
            u"caf\u00e9 <![CDATA[<x>]]><e/></r>\r\n");
  const Variant root = member(object, u"documentElement");
  EXPECT_EQ(
      toText(member(member(member(root, u"attributes"), u"item", {Variant(int32_t{0})}), u"xml")),
      u"a=\"1 &amp; 2\"");
  EXPECT_EQ(toText(member(member(root, u"firstChild"), u"xml")), u"caf\u00e9 ");
  // The declaration is the document's first node, as the Windows DOM has it.
  const Variant first = member(object, u"firstChild");
  EXPECT_EQ(toText(member(first, u"nodeName")), u"xml");
  EXPECT_EQ(toText(member(first, u"nodeValue")), u"version=\"1.0\" encoding=\"utf-8\"");
}

TEST_F(XmlDocumentTest, DeepTreesNeitherCrashNorHang) {
  // The parser refuses nesting beyond its limit...
  std::u16string deep;
  for (int i = 0; i < 100000; ++i)
    deep += u"<a>";
  auto doc = makeDocument(web);
  EXPECT_FALSE(doc->loadXML(deep));
  EXPECT_EQ(doc->parseError().reason, u"The document is nested more than 257 levels deep.\r\n");
  // ...which it counts as appendChild does: the root element is the first level.
  const auto nested = [](int levels) {
    std::u16string text;
    for (int i = 0; i < levels; ++i)
      text += u"<a>";
    for (int i = 0; i < levels; ++i)
      text += u"</a>";
    return text;
  };
  EXPECT_TRUE(doc->loadXML(nested(257)));
  EXPECT_FALSE(doc->loadXML(nested(258)));

  // ...and one a script builds stops at its own limit; reading and freeing it needs no deep
  // recursion.
  doc = parsed(u"<root/>");
  const ObjectPtr object = doc;
  Variant parent = member(object, u"documentElement");
  for (int i = 2; i < 4096; ++i) {
    Variant child = member(object, u"createElement", {Variant(u"d")});
    member(parent, u"appendChild", {child});
    parent = child;
  }
  member(parent, u"appendChild", {member(object, u"createTextNode", {Variant(u"bottom")})});
  const Variant last = member(object, u"createElement", {Variant(u"e")});
  member(parent, u"appendChild", {last});
  try {
    member(last, u"appendChild", {member(object, u"createElement", {Variant(u"f")})});
    ADD_FAILURE() << "nested deeper than the limit";
  } catch (const Error& error) {
    EXPECT_EQ(error.description(), u"The document would be nested more than 4096 levels deep.");
  }
  EXPECT_EQ(doc->documentElement()->text(), u"bottom");
  EXPECT_EQ(doc->getElementsByTagName(u"d").size(), 4094u);
  EXPECT_EQ(toText(member(member(object, u"selectNodes", {Variant(u"//d")}), u"length")), u"4094");
  EXPECT_EQ(toText(member(object, u"xml")).size(), 6 + 4094 * 7 + 6 + 4 + 7 + 2u);
  // Moving the chain under a node of its own would nest it one level deeper.
  const Variant top = member(object, u"firstChild");
  const Variant holder = member(object, u"createElement", {Variant(u"h")});
  EXPECT_NE(errorNumberOf([&] { member(holder, u"appendChild", {top}); }), 0);
  // An element cannot go under itself.
  EXPECT_NE(errorNumberOf([&] { member(parent, u"appendChild", {top}); }), 0);
}

TEST_F(XmlDocumentTest, XPathFailuresAreErrorsWithTheirReason) {
  std::u16string many = u"<r>";
  for (int i = 0; i < 1000; ++i)
    many += u"<a/>";
  auto doc = parsed(many + u"</r>");
  const ObjectPtr object = doc;
  const struct {
    std::u16string_view expression;
    std::u16string_view inDescription;
  } cases[] = {
      {u"//a[", u"nvalid"},
      {u"count(//a)", u"gives no nodes"},
      {u"//p:a", u"prefix"},
      // Exponential work is stopped, not waited for.
      {u"//*[count(//*[count(//*[count(//*) > 0]) > 0]) > 0]", u"limit"},
  };
  for (const auto& c : cases) {
    try {
      member(object, u"selectNodes", {Variant(c.expression)});
      ADD_FAILURE() << "no error for " << toUtf8(c.expression);
    } catch (const Error& error) {
      EXPECT_EQ(error.number(), numberOf(ErrorCode::kFail));
      EXPECT_NE(error.description().find(c.inDescription), std::u16string::npos)
          << toUtf8(error.description());
    }
  }
}

TEST_F(XmlDocumentTest, RegisteredUnderTheNamesScriptsUse) {
  ObjectCatalogue catalogue;
  registerDocuments(catalogue, web);
  for (std::u16string_view name : {u"MSXML2.DOMDocument", u"msxml2.domdocument.3.0",
                                   u"MSXML2.DOMDocument.6.0", u"Microsoft.XMLDOM"}) {
    ObjectPtr doc = catalogue.create(name);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->typeName(), u"DOMDocument");
    EXPECT_NE(doc, catalogue.create(name));
    // A file is never read by a document a script made.
    EXPECT_EQ(member(doc, u"load", {Variant(u"/etc/hostname")}), Variant(false));
  }
  EXPECT_EQ(errorNumberOf([&] { catalogue.create(u"MSXML2.XMLHTTP"); }),
            numberOf(ErrorCode::kCannotCreateObject));
}

}  // namespace
}  // namespace platform::xml
