// String functions.
#include "platform/base/error.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::Variant;
using Args = std::span<Variant>;

Variant len(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  return Variant(static_cast<int32_t>(textArgument(context, args[0]).size()));
}

constexpr Builtin kFunctions[] = {
    {u"Len", 1, 1, len},
};

}  // namespace

std::span<const Builtin> stringFunctions() {
  return kFunctions;
}

}  // namespace vbscript
