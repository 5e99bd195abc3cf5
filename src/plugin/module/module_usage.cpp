#include "plugin/module/module_usage.h"

#include <atomic>

namespace juvo::module_usage {

namespace {

// COM bookkeeping of the module itself, not state of the plug-in: it lives as long as the
// code that counts.
std::atomic<long> objects{0};
std::atomic<long> locks{0};

}  // namespace

void objectCreated() {
  ++objects;
}
void objectDestroyed() {
  --objects;
}
void lock() {
  ++locks;
}
void unlock() {
  --locks;
}
bool idle() {
  return objects == 0 && locks == 0;
}

}  // namespace juvo::module_usage
