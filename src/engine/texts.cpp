#include "engine/texts.h"

#include "language/c_language.h"
#include "platform/base/error.h"
#include "shared/shared_objects.h"

namespace juvo {

const std::u16string& str(const SharedObjects& shared, std::u16string_view key) {
  if (!shared.lang) platform::raise(platform::ErrorCode::kObjectVariableNotSet);
  return shared.lang->str(key);
}

}  // namespace juvo
