#include "platform/tidy/tidy_document.h"

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <exception>
#include <limits>

#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {

namespace {

bool isEncodingOption(std::string_view name) {
  return name == "char-encoding" || name == "input-encoding" || name == "output-encoding" ||
         name == "output-bom";
}

// A buffer libtidy fills, freed with it.
struct OwnedBuffer {
  TidyBuffer buffer;
  OwnedBuffer() { tidyBufInit(&buffer); }
  ~OwnedBuffer() { tidyBufFree(&buffer); }
  OwnedBuffer(const OwnedBuffer&) = delete;
  OwnedBuffer& operator=(const OwnedBuffer&) = delete;
  std::string_view view() const {
    return buffer.bp ? std::string_view(reinterpret_cast<const char*>(buffer.bp), buffer.size)
                     : std::string_view();
  }
};

}  // namespace

struct TidyDocument::Impl {
  explicit Impl(TidyDocument& owner) : owner(owner), doc(tidyCreate()) {
    tidySetAppData(doc, this);
    tidySetMessageCallback(doc, &Impl::message);
    // Whatever the callback leaves unsaid (the summary lines) goes here, not to stderr.
    tidySetErrorBuffer(doc, &errors.buffer);
    tidyOptParseValue(doc, "char-encoding", "utf8");
    tidyOptParseValue(doc, "newline", "LF");
  }
  ~Impl() { tidyRelease(doc); }

  // libtidy calls this from C frames: nothing may escape it.
  static Bool TIDY_CALL message(::TidyMessage tmessage) {
    auto* self = static_cast<Impl*>(tidyGetAppData(tidyGetMessageDoc(tmessage)));
    if (!self || self->failure || !self->owner.onMessage) return no;
    // Errors past show-errors are left out, as HTML Tidy's own report leaves them out.
    if (tidyGetMessageLevel(tmessage) == TidyError &&
        ++self->errorsSeen > tidyOptGetInt(self->doc, TidyShowErrors)) {
      return no;
    }
    try {
      platform::TidyMessage delivered;
      delivered.level = static_cast<int32_t>(tidyGetMessageLevel(tmessage)) - TidyInfo;
      delivered.line = tidyGetMessageLine(tmessage);
      delivered.column = tidyGetMessageColumn(tmessage);
      const char* text = tidyGetMessage(tmessage);
      delivered.text = fromUtf8(text ? text : "");
      self->owner.onMessage(delivered);
    } catch (...) {
      self->failure = std::current_exception();
    }
    return no;  // reported; libtidy writes nothing of it anywhere
  }

  // Hands on a failure the message callback caught during the libtidy call that just ended.
  void rethrowFailure() {
    if (!failure) return;
    std::exception_ptr caught = std::move(failure);
    failure = nullptr;
    std::rethrow_exception(caught);
  }

  TidyDocument& owner;
  TidyDoc doc;
  OwnedBuffer errors;
  std::exception_ptr failure;
  unsigned long errorsSeen = 0;
};

TidyDocument::TidyDocument() : impl_(std::make_unique<Impl>(*this)) {}

TidyDocument::~TidyDocument() = default;

void TidyDocument::setOption(std::string_view name, std::string_view value) {
  const std::string optionName(name);
  if (isEncodingOption(optionName) || tidyOptGetIdForName(optionName.c_str()) == N_TIDY_OPTIONS) {
    raise(ErrorCode::kInvalidArg, u"HTML Tidy has no option " + fromUtf8(name) + u" to set");
  }
  const std::string optionValue(value);
  const bool taken = tidyOptParseValue(impl_->doc, optionName.c_str(), optionValue.c_str());
  impl_->rethrowFailure();
  if (!taken) {
    raise(ErrorCode::kInvalidArg,
          u"HTML Tidy's option " + fromUtf8(name) + u" does not take the value " + fromUtf8(value));
  }
}

int TidyDocument::parseString(std::u16string_view markup) {
  std::string bytes = toUtf8(markup);
  if (bytes.size() > std::numeric_limits<uint>::max()) {
    raise(ErrorCode::kFail, u"The document is too large for HTML Tidy");
  }
  TidyBuffer input;
  tidyBufInit(&input);
  tidyBufAttach(&input, reinterpret_cast<byte*>(bytes.data()), static_cast<uint>(bytes.size()));
  const int status = tidyParseBuffer(impl_->doc, &input);
  tidyBufDetach(&input);
  impl_->rethrowFailure();
  if (status < 0) raise(ErrorCode::kFail, u"HTML Tidy could not read the document");
  return status;
}

int TidyDocument::cleanAndRepair() {
  const int status = tidyCleanAndRepair(impl_->doc);
  impl_->rethrowFailure();
  if (status < 0) raise(ErrorCode::kFail, u"HTML Tidy could not clean the document");
  return status;
}

std::u16string TidyDocument::saveString() {
  OwnedBuffer output;
  const int status = tidySaveBuffer(impl_->doc, &output.buffer);
  impl_->rethrowFailure();
  if (status < 0) raise(ErrorCode::kFail, u"HTML Tidy could not write the document");
  return fromUtf8(output.view());
}

}  // namespace platform
