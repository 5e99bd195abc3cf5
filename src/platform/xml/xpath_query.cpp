#include "platform/xml/xpath_query.h"

#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <new>

#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform::xml {

namespace {

// Steps (operations and nodes visited) one expression may take: far more than any sensible
// query of a web page needs, and a fraction of a second's work.
constexpr unsigned long kStepLimit = 20'000'000;

struct Failure {
  std::string message;
};

// libxml2 words XPath errors only on the way to the structured error channel (a context's own
// handler gets the code without the words), so the channel is ours while an expression runs.
class ErrorChannel {
 public:
  explicit ErrorChannel(Failure& failure) { xmlSetStructuredErrorFunc(&failure, noteError); }
  ~ErrorChannel() { xmlSetStructuredErrorFunc(nullptr, ignoreError); }
  ErrorChannel(const ErrorChannel&) = delete;
  ErrorChannel& operator=(const ErrorChannel&) = delete;

 private:
  static void noteError(void* userData, xmlErrorPtr error);
  static void ignoreError(void*, xmlErrorPtr) {}
};

void ErrorChannel::noteError(void* userData, xmlErrorPtr error) {
  auto* failure = static_cast<Failure*>(userData);
  if (failure->message.empty() && error != nullptr && error->message != nullptr) {
    failure->message = error->message;
    while (!failure->message.empty() &&
           (failure->message.back() == '\n' || failure->message.back() == ' '))
      failure->message.pop_back();
  }
}

[[noreturn]] void invalid(std::u16string_view expression, const std::string& why) {
  raise(ErrorCode::kFail, u"The XPath expression '" + std::u16string(expression) +
                              u"' cannot be used: " +
                              (why.empty() ? u"it is not valid" : fromUtf8(why)) + u".");
}

bool isBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Owns what one evaluation allocates.
struct Evaluation {
  xmlXPathContextPtr context = nullptr;
  xmlXPathCompExprPtr compiled = nullptr;
  xmlXPathObjectPtr result = nullptr;
  ~Evaluation() {
    if (result) xmlXPathFreeObject(result);
    if (compiled) xmlXPathFreeCompExpr(compiled);
    if (context) xmlXPathFreeContext(context);
  }
};

}  // namespace

Namespaces parseNamespaces(std::u16string_view text) {
  Namespaces result;
  const auto bad = [&]() -> Namespaces {
    raise(ErrorCode::kFail, u"The SelectionNamespaces value '" + std::u16string(text) +
                                u"' is not a list of namespace declarations.");
  };
  size_t i = 0;
  while (true) {
    while (i < text.size() && isBlank(text[i]))
      ++i;
    if (i == text.size()) return result;
    if (text.substr(i, 5) != u"xmlns") return bad();
    i += 5;
    std::u16string prefix;
    if (i < text.size() && text[i] == u':') {
      const size_t start = ++i;
      while (i < text.size() && text[i] != u'=' && !isBlank(text[i]))
        ++i;
      prefix = text.substr(start, i - start);
      if (prefix.empty() || xmlValidateNCName(BAD_CAST toUtf8(prefix).c_str(), 0) != 0)
        return bad();
    }
    if (i == text.size() || text[i] != u'=') return bad();
    ++i;
    if (i == text.size() || (text[i] != u'\'' && text[i] != u'"')) return bad();
    const char16_t quote = text[i++];
    const size_t close = text.find(quote, i);
    if (close == std::u16string_view::npos) return bad();
    const std::u16string uri(text.substr(i, close - i));
    i = close + 1;
    if (i < text.size() && !isBlank(text[i])) return bad();
    if (!prefix.empty()) result.emplace_back(toUtf8(prefix), toUtf8(uri));
  }
}

std::vector<xmlNode*> selectNodes(xmlDocPtr doc, xmlNode* context, std::u16string_view expression,
                                  const Namespaces& namespaces) {
  const std::string utf8 = toUtf8(expression);
  if (utf8.find('\0') != std::string::npos) invalid(expression, "");
  Failure failure;
  ErrorChannel channel(failure);
  Evaluation run;
  run.context = xmlXPathNewContext(doc);
  if (run.context == nullptr) throw std::bad_alloc();
  run.context->node = context;
  run.context->opLimit = kStepLimit;
  for (const auto& [prefix, uri] : namespaces) {
    xmlXPathRegisterNs(run.context, BAD_CAST prefix.c_str(), BAD_CAST uri.c_str());
  }
  run.compiled = xmlXPathCtxtCompile(run.context, BAD_CAST utf8.c_str());
  if (run.compiled == nullptr) invalid(expression, failure.message);
  run.result = xmlXPathCompiledEval(run.compiled, run.context);
  if (run.result == nullptr) invalid(expression, failure.message);
  if (run.result->type != XPATH_NODESET) invalid(expression, "it gives no nodes");
  std::vector<xmlNode*> nodes;
  if (const xmlNodeSet* set = run.result->nodesetval) {
    nodes.reserve(static_cast<size_t>(set->nodeNr));
    for (int i = 0; i < set->nodeNr; ++i) {
      if (set->nodeTab[i]->type != XML_NAMESPACE_DECL) nodes.push_back(set->nodeTab[i]);
    }
  }
  return nodes;
}

}  // namespace platform::xml
