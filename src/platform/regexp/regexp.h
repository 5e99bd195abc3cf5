// VBScript's RegExp object, "VBScript.RegExp" in the object catalogue (what `New RegExp`
// creates): Pattern, Global, IgnoreCase and Multiline; Test; Execute, which gives a Matches
// collection of Match objects (Value, FirstIndex, Length, SubMatches); and Replace, with $1 ...
// $99, $&, $`, $' and $$ in the replacement text, or a function (GetRef) that returns it.
//
// The pattern is compiled when first used after a change, so a bad one fails the Test,
// Execute or Replace that uses it with 5017 "Syntax error in regular expression". A search
// that backtracks without end stops with 28 "Out of stack space".
#pragma once

#include "platform/automation/automation_object.h"

namespace platform {

class ObjectCatalogue;

// A new RegExp object with an empty pattern and every option off.
ObjectPtr makeRegExp();

// Makes "VBScript.RegExp" create RegExp objects.
void registerRegExp(ObjectCatalogue& catalogue);

}  // namespace platform
