#include "dom_test_table.h"

namespace platform::xml::testing {

namespace {

constexpr Expected text(std::u16string_view value) {
  return {Expected::Kind::kText, value};
}
constexpr Expected kNull{Expected::Kind::kNull, {}};
constexpr Expected kNothing{Expected::Kind::kNothing, {}};
constexpr Expected kFails{Expected::Kind::kFailure, {}};

const TestDocument kFeed{
    u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    u"<rss version=\"2.0\">\n"
    u"  <channel>\n"
    u"    <title>News &amp; weather</title>\n"
    u"    <item id=\"1\"><title>First</title><link>http://example.org/1</link></item>\n"
    u"    <item id=\"2\"><title>Second</title>"
    u"<description><![CDATA[<b>bold</b> & more]]></description></item>\n"
    u"    <!-- end -->\n"
    u"  </channel>\n"
    u"</rss>\n"};

const TestDocument kSpaces{
    u"<r>\n"
    u"  <a> x </a>\n"
    u"  <b>y</b>\n"
    u"  <c xml:space=\"preserve\">  <d/>  </c>\n"
    u"  <e>  two  words  </e>\n"
    u"</r>"};
const TestDocument kSpacesKept{kSpaces.text, true};
const TestDocument kBlocks{u"<div>\n  <p>one</p>\n  <p>two <b>and</b> three</p>\n</div>"};

const TestDocument kAtom{
    u"<feed xmlns=\"http://www.w3.org/2005/Atom\" xmlns:m=\"urn:media\">"
    u"<entry><title>Atom</title><m:thumb url=\"t.png\"/></entry></feed>"};

const TestDocument kEntities{
    u"<!DOCTYPE r [<!ENTITY co \"JUVO &#38;amp; Co\">]>"
    u"<r a=\"&lt;&#65;&gt;\">&co; &#x20AC; &lt;tag&gt;</r>"};

const TestDocument kBroken{u"<?xml version=\"1.0\"?>\r\n<strings>\r\n  <a>x</b>\r\n</strings>"};

const DomCase kCases[] = {
    // Every way to reach the items of a list.
    {"ChildNodesCalled", &kFeed, u"doc.documentElement.childNodes(0).nodeName",
     u"doc.documentElement.childNodes(0).nodeName", text(u"channel")},
    {"ItemMethod", &kFeed, u"doc.getElementsByTagName('item').item(1).getAttribute('id')",
     u"doc.getElementsByTagName(\"item\").item(1).getAttribute(\"id\")", text(u"2")},
    {"ListCalled", &kFeed, u"doc.getElementsByTagName('item')(0).getAttribute('id')",
     u"doc.getElementsByTagName(\"item\")(0).getAttribute(\"id\")", text(u"1")},
    {"ListIndexed", &kFeed, u"doc.getElementsByTagName('title')[2].text",
     u"doc.getElementsByTagName(\"title\")(2).text", text(u"Second")},
    {"ListLength", &kFeed, u"doc.getElementsByTagName('item').length",
     u"doc.getElementsByTagName(\"item\").length", text(u"2")},
    {"EnumeratedChildren", &kFeed,
     u"(function () { var s = [];"
     u" for (var e = new Enumerator(doc.documentElement.firstChild.childNodes); !e.atEnd();"
     u" e.moveNext()) s.push(e.item().nodeName); return s.join(','); })()",
     u"NamesOf(doc.documentElement.firstChild.childNodes)", text(u"title,item,item,#comment")},
    {"NextNode", &kFeed,
     u"(function () { var l = doc.selectNodes('//item/title'), s = '', n;"
     u" while ((n = l.nextNode()) != null) s += n.text; l.reset(); return s + l.nextNode().text; "
     u"})()",
     u"NextNodeTexts(doc.selectNodes(\"//item/title\"))", text(u"FirstSecondFirst")},
    {"SelectSingleNode", &kFeed, u"doc.selectSingleNode('/rss/channel/item[2]/title').text",
     u"doc.selectSingleNode(\"/rss/channel/item[2]/title\").text", text(u"Second")},
    {"SelectNodesFromANode", &kFeed, u"doc.documentElement.selectNodes('channel/item').length",
     u"doc.documentElement.selectNodes(\"channel/item\").length", text(u"2")},
    {"AttributeByName", &kFeed,
     u"doc.selectSingleNode('//item').attributes.getNamedItem('id').value",
     u"doc.selectSingleNode(\"//item\").attributes.getNamedItem(\"id\").value", text(u"1")},
    {"AttributeByIndex", &kFeed,
     u"doc.selectSingleNode('//item').attributes(0).nodeName + '=' +"
     u" doc.selectSingleNode('//item').attributes.item(0).text +"
     u" doc.selectSingleNode('//item').attributes.length",
     u"doc.selectSingleNode(\"//item\").attributes(0).nodeName & \"=\" & "
     u"doc.selectSingleNode(\"//item\").attributes.item(0).text & "
     u"doc.selectSingleNode(\"//item\").attributes.length",
     text(u"id=11")},
    {"AttributeSelected", &kFeed, u"doc.selectSingleNode('//item[2]/@id').nodeTypeString",
     u"doc.selectSingleNode(\"//item[2]/@id\").nodeTypeString", text(u"attribute")},

    // Null where the DOM gives no value, Nothing where it gives no node.
    {"MissingAttributeIsNull", &kFeed, u"doc.selectSingleNode('//item').getAttribute('x')",
     u"doc.selectSingleNode(\"//item\").getAttribute(\"x\")", kNull},
    {"ElementValueIsNull", &kFeed, u"doc.documentElement.nodeValue",
     u"doc.documentElement.nodeValue", kNull},
    {"NoMatchIsNothing", &kFeed, u"doc.selectSingleNode('//nope')",
     u"doc.selectSingleNode(\"//nope\")", kNothing},
    {"NoMatchFromANodeIsNothing", &kFeed, u"doc.documentElement.selectSingleNode('item')",
     u"doc.documentElement.selectSingleNode(\"item\")", kNothing},
    {"ItemOutOfRangeIsNothing", &kFeed, u"doc.getElementsByTagName('item').item(2)",
     u"doc.getElementsByTagName(\"item\").item(2)", kNothing},
    {"ChildOutOfRangeIsNothing", &kFeed, u"doc.documentElement.childNodes(1)",
     u"doc.documentElement.childNodes(1)", kNothing},
    {"NoChildIsNothing", &kFeed, u"doc.selectSingleNode('//link').firstChild.firstChild",
     u"doc.selectSingleNode(\"//link\").firstChild.firstChild", kNothing},
    {"NoParentIsNothing", &kFeed, u"doc.parentNode", u"doc.parentNode", kNothing},
    {"NoAttributesOnText", &kFeed, u"doc.selectSingleNode('//link').firstChild.attributes",
     u"doc.selectSingleNode(\"//link\").firstChild.attributes", kNothing},
    {"MemberOfNothingFails", &kFeed, u"doc.selectSingleNode('//nope').text",
     u"doc.selectSingleNode(\"//nope\").text", kFails},
    {"TextHasNoGetAttribute", &kFeed, u"doc.selectSingleNode('//link/text()').getAttribute('a')",
     u"doc.selectSingleNode(\"//link/text()\").getAttribute(\"a\")", kFails},

    // One node reached two ways is one object.
    {"SameItemTwoWays", &kFeed,
     u"doc.getElementsByTagName('item')(1) === doc.documentElement.firstChild.childNodes(2)",
     u"doc.getElementsByTagName(\"item\")(1) Is doc.documentElement.firstChild.childNodes(2)",
     text(u"True")},
    {"SameParentTwoWays", &kFeed,
     u"doc.selectSingleNode('//title').parentNode === doc.documentElement.firstChild",
     u"doc.selectSingleNode(\"//title\").parentNode Is doc.documentElement.firstChild",
     text(u"True")},
    {"OwnerDocumentIsTheDocument", &kFeed, u"doc.documentElement.ownerDocument === doc",
     u"doc.documentElement.ownerDocument Is doc", text(u"True")},
    {"DifferentNodesDiffer", &kFeed,
     u"doc.getElementsByTagName('item')(0) === doc.getElementsByTagName('item')(1)",
     u"doc.getElementsByTagName(\"item\")(0) Is doc.getElementsByTagName(\"item\")(1)",
     text(u"False")},

    // Names, types, values, text and markup.
    {"DocumentNode", &kFeed, u"doc.nodeName + doc.nodeType + doc.nodeTypeString",
     u"doc.nodeName & doc.nodeType & doc.nodeTypeString", text(u"#document9document")},
    {"DeclarationNode", &kFeed, u"doc.firstChild.nodeName + doc.firstChild.nodeType",
     u"doc.firstChild.nodeName & doc.firstChild.nodeType", text(u"xml7")},
    {"DeclarationValue", &kFeed, u"doc.firstChild.nodeValue", u"doc.firstChild.nodeValue",
     text(u"version=\"1.0\" encoding=\"ISO-8859-1\"")},
    {"CommentNode", &kFeed, u"doc.documentElement.firstChild.lastChild.nodeName",
     u"doc.documentElement.firstChild.lastChild.nodeName", text(u"#comment")},
    {"TextNode", &kFeed, u"doc.selectSingleNode('//link').firstChild.nodeName",
     u"doc.selectSingleNode(\"//link\").firstChild.nodeName", text(u"#text")},
    {"CDataNode", &kFeed,
     u"doc.selectSingleNode('//description').firstChild.nodeName + ' ' +"
     u" doc.selectSingleNode('//description').firstChild.nodeType",
     u"doc.selectSingleNode(\"//description\").firstChild.nodeName & \" \" & "
     u"doc.selectSingleNode(\"//description\").firstChild.nodeType",
     text(u"#cdata-section 4")},
    {"CDataValue", &kFeed, u"doc.selectSingleNode('//description').text",
     u"doc.selectSingleNode(\"//description\").text", text(u"<b>bold</b> & more")},
    {"ElementText", &kFeed, u"doc.selectSingleNode('//item[2]').text",
     u"doc.selectSingleNode(\"//item[2]\").text", text(u"Second<b>bold</b> & more")},
    {"EntityInText", &kFeed, u"doc.getElementsByTagName('title')(0).text",
     u"doc.getElementsByTagName(\"title\")(0).text", text(u"News & weather")},
    {"ElementMarkup", &kFeed, u"doc.selectSingleNode('//item').xml",
     u"doc.selectSingleNode(\"//item\").xml",
     text(u"<item id=\"1\"><title>First</title><link>http://example.org/1</link></item>")},
    {"HasChildNodes", &kFeed,
     u"'' + doc.documentElement.hasChildNodes() + doc.selectSingleNode('//link/text()')"
     u".hasChildNodes()",
     u"Lowered(doc.documentElement.hasChildNodes()) & "
     u"Lowered(doc.selectSingleNode(\"//link/text()\").hasChildNodes)",
     text(u"truefalse")},
    {"Siblings", &kFeed,
     u"doc.selectSingleNode('//item').nextSibling.getAttribute('id') +"
     u" doc.selectSingleNode('//item').previousSibling.nodeName",
     u"doc.selectSingleNode(\"//item\").nextSibling.getAttribute(\"id\") & "
     u"doc.selectSingleNode(\"//item\").previousSibling.nodeName",
     text(u"2title")},
    {"TagName", &kFeed, u"doc.selectSingleNode('//link').tagName",
     u"doc.selectSingleNode(\"//link\").tagName", text(u"link")},
    {"GoodParse", &kFeed, u"doc.parseError.errorCode + '|' + doc.parseError.reason",
     u"doc.parseError.errorCode & \"|\" & doc.parseError.reason", text(u"0|")},

    // Whitespace-only text is no node unless the document keeps whitespace.
    {"WhitespaceDropped", &kSpaces, u"doc.documentElement.childNodes.length",
     u"doc.documentElement.childNodes.length", text(u"4")},
    {"WhitespaceFirstChild", &kSpaces, u"doc.documentElement.firstChild.nodeName",
     u"doc.documentElement.firstChild.nodeName", text(u"a")},
    {"WhitespaceTextTrimmed", &kSpaces, u"doc.documentElement.firstChild.text",
     u"doc.documentElement.firstChild.text", text(u"x")},
    {"WhitespaceValueExact", &kSpaces, u"doc.documentElement.firstChild.firstChild.nodeValue",
     u"doc.documentElement.firstChild.firstChild.nodeValue", text(u" x ")},
    {"WhitespaceInside", &kSpaces, u"doc.selectSingleNode('//e').text",
     u"doc.selectSingleNode(\"//e\").text", text(u"two  words")},
    {"WhitespacePreservedBySpace", &kSpaces, u"doc.selectSingleNode('//c').childNodes.length",
     u"doc.selectSingleNode(\"//c\").childNodes.length", text(u"3")},
    {"WhitespaceBetweenBlocks", &kBlocks, u"doc.documentElement.text", u"doc.documentElement.text",
     text(u"one two and three")},
    {"WhitespaceKept", &kSpacesKept, u"doc.documentElement.childNodes.length",
     u"doc.documentElement.childNodes.length", text(u"9")},
    {"WhitespaceKeptFirstChild", &kSpacesKept,
     u"doc.documentElement.firstChild.nodeName + doc.preserveWhiteSpace",
     u"doc.documentElement.firstChild.nodeName & Lowered(doc.preserveWhiteSpace)",
     text(u"#texttrue")},
    {"WhitespaceKeptText", &kSpacesKept, u"doc.selectSingleNode('//a').text",
     u"doc.selectSingleNode(\"//a\").text", text(u" x ")},

    // Namespaces.
    {"NamespaceOfElement", &kAtom,
     u"doc.documentElement.nodeName + ' ' + doc.documentElement.namespaceURI",
     u"doc.documentElement.nodeName & \" \" & doc.documentElement.namespaceURI",
     text(u"feed http://www.w3.org/2005/Atom")},
    {"DefaultNamespaceNeedsAPrefix", &kAtom, u"doc.selectSingleNode('//entry')",
     u"doc.selectSingleNode(\"//entry\")", kNothing},
    {"SelectionNamespaces", &kAtom,
     u"(doc.setProperty('SelectionNamespaces',"
     u" \"xmlns:a='http://www.w3.org/2005/Atom' xmlns:m='urn:media'\"),"
     u" doc.selectSingleNode('//a:entry/a:title').text +"
     u" doc.selectSingleNode('//m:thumb/@url').text)",
     u"Sequence(doc.setProperty(\"SelectionNamespaces\", \"xmlns:a='http://www.w3.org/2005/Atom' "
     u"xmlns:m='urn:media'\"), doc.selectSingleNode(\"//a:entry/a:title\").text & "
     u"doc.selectSingleNode(\"//m:thumb/@url\").text)",
     text(u"Atomt.png")},
    {"PrefixedElement", &kAtom,
     u"doc.getElementsByTagName('m:thumb')(0).baseName + ' ' +"
     u" doc.getElementsByTagName('m:thumb')(0).prefix + ' ' +"
     u" doc.getElementsByTagName('m:thumb')(0).getAttribute('url')",
     u"doc.getElementsByTagName(\"m:thumb\")(0).baseName & \" \" & "
     u"doc.getElementsByTagName(\"m:thumb\")(0).prefix & \" \" & "
     u"doc.getElementsByTagName(\"m:thumb\")(0).getAttribute(\"url\")",
     text(u"thumb m t.png")},
    {"NamespaceDeclaration", &kAtom, u"doc.documentElement.getAttribute('xmlns:m')",
     u"doc.documentElement.getAttribute(\"xmlns:m\")", text(u"urn:media")},
    {"SelectionLanguage", &kAtom,
     u"(doc.setProperty('SelectionLanguage', 'XPath'), doc.getProperty('SelectionLanguage'))",
     u"Sequence(doc.setProperty(\"SelectionLanguage\", \"XPath\"), "
     u"doc.getProperty(\"SelectionLanguage\"))",
     text(u"XPath")},
    {"UnknownPropertyFails", &kAtom, u"doc.setProperty('Bogus', 1)",
     u"doc.setProperty(\"Bogus\", 1)", kFails},
    {"BadNamespacesFail", &kAtom, u"doc.setProperty('SelectionNamespaces', 'a=b')",
     u"doc.setProperty(\"SelectionNamespaces\", \"a=b\")", kFails},

    // Entities and character references.
    {"EntitiesExpanded", &kEntities, u"doc.documentElement.text", u"doc.documentElement.text",
     text(u"JUVO & Co \u20ac <tag>")},
    {"EntitiesInAttributes", &kEntities, u"doc.documentElement.getAttribute('a')",
     u"doc.documentElement.getAttribute(\"a\")", text(u"<A>")},
    {"DocumentTypeNode", &kEntities,
     u"doc.firstChild.nodeName + ' ' + doc.firstChild.nodeTypeString",
     u"doc.firstChild.nodeName & \" \" & doc.firstChild.nodeTypeString", text(u"r documenttype")},

    // A document that does not parse.
    {"ParseErrorCode", &kBroken, u"doc.parseError.errorCode != 0", u"doc.parseError.errorCode <> 0",
     text(u"True")},
    {"ParseErrorLine", &kBroken, u"doc.parseError.line + ':' + doc.parseError.srcText",
     u"doc.parseError.line & \":\" & doc.parseError.srcText", text(u"3:  <a>x</b>")},
    {"ParseErrorReason", &kBroken, u"doc.parseError.reason", u"doc.parseError.reason",
     text(u"Opening and ending tag mismatch: a line 3 and b.\r\n")},
    {"ParseErrorPosition", &kBroken, u"doc.parseError.linepos > 0", u"doc.parseError.linepos > 0",
     text(u"True")},
    {"ParseErrorLeavesNoRoot", &kBroken, u"doc.documentElement", u"doc.documentElement", kNothing},

    // Documents scripts create themselves.
    {"CreateAndLoad", &kFeed,
     u"(function () { var d = new ActiveXObject('MSXML2.DOMDocument.3.0'); d.async = false;"
     u" return d.loadXML('<a><b>1</b></a>') + ',' + d.documentElement.text + d.async; })()",
     u"CreateAndLoad()", text(u"true,1false")},
    {"BuildNodes", &kFeed,
     u"(function () { var e = doc.createElement('note');"
     u" e.appendChild(doc.createTextNode('hi & bye')); doc.documentElement.appendChild(e);"
     u" return doc.documentElement.lastChild.xml; })()",
     u"BuildNodes(doc)", text(u"<note>hi &amp; bye</note>")},
    {"SecondRootRefused", &kFeed, u"doc.appendChild(doc.createElement('x'))",
     u"doc.appendChild(doc.createElement(\"x\"))", kFails},
    {"ScriptsReadNoFiles", &kFeed,
     u"(function () { var d = new ActiveXObject('Microsoft.XMLDOM');"
     u" return d.load('/etc/hostname') + ',' + (d.parseError.errorCode != 0); })()",
     u"ReadsNoFile()", text(u"false,true")},
    {"UnknownObjectFails", &kFeed, u"new ActiveXObject('MSXML2.ServerXMLHTTP')",
     u"CreateObject(\"MSXML2.ServerXMLHTTP\")", kFails},
};

}  // namespace

std::span<const DomCase> domCases() {
  return kCases;
}

}  // namespace platform::xml::testing
