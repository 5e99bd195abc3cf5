// Checking which error a call raised.
#pragma once

#include <cstdint>

#include "platform/base/error.h"

namespace juvo::testing {

// The number of the platform::Error that `call` raises, or 0 when it raises none.
template <class Call>
int32_t errorNumberOf(Call&& call) {
  try {
    call();
  } catch (const platform::Error& error) {
    return error.number();
  }
  return 0;
}

inline int32_t numberOf(platform::ErrorCode code) {
  return static_cast<int32_t>(code);
}

}  // namespace juvo::testing
