// What keeps the module in use: live objects and server locks (held factories, LockServer).
// DllCanUnloadNow answers from it.
#pragma once

namespace juvo::module_usage {

void objectCreated();
void objectDestroyed();
void lock();
void unlock();
// No live object and no lock.
bool idle();

}  // namespace juvo::module_usage
