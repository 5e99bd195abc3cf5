// The JScript engine, on Duktape. Each engine is a fresh heap: nothing of one survives Reset.
//
// How scripts see host objects: a host object is a Proxy, one per object while the script
// holds it, so `a === b` holds for one object reached two ways. `obj.name(...)` invokes the member
// as a method; a plain `obj.name` invokes it as a property get, except that a member that
// cannot be read without arguments gives a function that calls it. `obj.name = v` is a
// property put (put-by-reference for objects); a property read that fails is the script's
// error. Names the object does not know read as undefined; assigning to them fails. An object
// whose default member takes an index (a collection's item) is a function: `list(0)` and
// `list[0]` read that default member, as `list.item(0)` does.
//
// Values: Empty is undefined, Null null, numbers are numbers (a whole number in 32-bit range
// comes back as Long, any other as Double), Date a JS Date (local time), arrays a JS array
// copy. Script objects and functions handed to the host become automation objects that the
// host may read, write and call while the engine lives; after Reset they raise
// kObjectRequired.
//
// Besides the language, scripts find JScript's Enumerator for host collections and
// ActiveXObject, which creates the objects of the services' catalogue only. So that no
// single built-in call outlasts the time-out by much, the heap is capped (256 MB) and Array
// methods refuse very long arrays: sort without a comparator from 2^17 elements, the others
// from 2^22.
//
// Error numbers follow JScript's: syntax errors 0x800A03EA, undefined names 0x800A1391, type
// errors 0x800A01B6, range errors (stack overflow) 0x800A001C, a full heap 0x800A0007, any
// other thrown value 0x800A139E; a host error keeps its own number. Scripts see them as `e.number`,
// and the message also as `e.description`.
#pragma once

#include <memory>

#include "platform/script/script_engine.h"

namespace platform {

std::unique_ptr<ScriptEngine> makeJScriptEngine(ScriptSite& site, const ScriptServices& services);

}  // namespace platform
