// "Scripting.Dictionary" in the object catalogue, for both script languages: items by key in
// the order they were added. Add (a key already there is error 457), Exists, Item as the default
// member (reading a missing key adds it with Empty, as the Windows object does), Items and Keys
// (zero-based arrays), Remove (a missing key is error 32811), RemoveAll, Count, CompareMode,
// Key (renames a key) and For Each over the keys.
//
// Keys compare as VBScript's do: numbers by value whatever their kind (1, 1.0 and a date of
// serial 1 are one key), texts by their characters, and a number never equals a text ("1" and 1
// are two keys); with CompareMode vbTextCompare (1) or vbDatabaseCompare (2) texts compare
// without regard to case. Objects are keys by identity; an array cannot be a key (13).
#pragma once

#include "platform/automation/automation_object.h"

namespace platform {

class ObjectCatalogue;

// A new, empty Dictionary.
ObjectPtr makeDictionary();

// Makes "Scripting.Dictionary" create Dictionaries.
void registerDictionary(ObjectCatalogue& catalogue);

}  // namespace platform
