#include "platform/com/module_path.h"

#include <dlfcn.h>

namespace platform {

std::filesystem::path modulePathOf(const void* address) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname || !*info.dli_fname) return {};
  // The loader reports the path as it was asked for, which may be relative.
  std::error_code ec;
  std::filesystem::path path = std::filesystem::absolute(info.dli_fname, ec);
  return ec ? std::filesystem::path(info.dli_fname) : path.lexically_normal();
}

}  // namespace platform
