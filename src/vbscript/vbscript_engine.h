// The VBScript engine of the script host: our own interpreter behind platform::ScriptEngine.
//
// Each engine is a fresh interpreter: nothing of one survives Reset. Top-level code runs when
// it is added; named objects are globals whose members stay behind their name; Run calls a
// global Sub or Function by name, without regard to case.
//
// Errors: compile errors report VBScript's compilation error numbers (1002 Syntax error,
// 1025 Expected end of statement, ...) with the source "Microsoft VBScript compilation error",
// the line and the column where the source stops making sense; run-time errors report their
// number, the line and column of the failing statement and the source "Microsoft VBScript
// runtime error" (or the source a host object or Err.Raise gave). Numbers are HRESULTs: a
// VBScript error n is 0x800A0000 + n; scripts see n in Err.Number. The text is the source line
// as the engine's own line breaks cut it (CR, LF and CR LF each end a line). Columns count
// from 0. An error in code run by Execute or Eval is reported at the statement that ran it.
//
// Decided where VBScript's documentation leaves it open: a Class_Terminate runs at the next
// statement after the last reference went; Err keeps a handled error after its procedure
// ends (Exit Sub, Exit Function and Exit Property clear it, as On Error does); CreateObject
// reaches the services' catalogue only, GetObject nothing (429).
//
// Limits: recursion and nesting deeper than the native stack allows raise 28 Out of stack
// space; texts longer than 2^25 characters, arrays of more than 2^23 elements and a heap grown
// by more than half a gigabyte during a call raise 7 Out of memory. A stop (the time-out, a reset
// during a call) unwinds through every On Error Resume Next, and no Class_Terminate runs during a
// stop, after an error no script handled, or at a reset.
#pragma once

#include <memory>

#include "platform/script/script_engine.h"

namespace vbscript {

std::unique_ptr<platform::ScriptEngine> makeVBScriptEngine(
    platform::ScriptSite& site, const platform::ScriptServices& services);

}  // namespace vbscript
