// The shared library juvoplatform is made of the platform components; this file gives it a
// translation unit of its own, which CMake requires of every library target.
namespace platform {
const char* libraryName() {
  return "juvoplatform";
}
}  // namespace platform
