' Run-time errors: On Error, the Err object, Err.Raise, errors in called procedures.
On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number, Err.Description                ' expect: 11 Division by zero
WScript.Echo Err.Source                                 ' expect: Microsoft VBScript runtime error
WScript.Echo Err                                        ' expect: 11
Err.Clear
WScript.Echo Err.Number, "[" & Err.Description & "]"    ' expect: 0 []
Err.Raise 9
WScript.Echo Err.Number, Err.Description                ' expect: 9 Subscript out of range
Err.Raise 1000, "Mine", "My own"
WScript.Echo Err.Number, Err.Source, Err.Description    ' expect: 1000 Mine My own
Err.Raise vbObjectError + 7
WScript.Echo Err.Number = vbObjectError + 7, Err.Description  ' expect: True Unknown runtime error
Err.Raise 13, , , "help.chm", 42
WScript.Echo Err.HelpFile, Err.HelpContext              ' expect: help.chm 42
Err.Number = 5
WScript.Echo Err.Number                                 ' expect: 5
On Error GoTo 0
WScript.Echo Err.Number                                 ' expect: 0
'---
' An error in a procedure without a handler goes to its caller's.
On Error Resume Next
Sub Fails
  WScript.Echo "before"
  x = 1 / 0
  WScript.Echo "not reached"
End Sub
Fails                                                   ' expect: before
WScript.Echo Err.Number                                 ' expect: 11
Err.Clear
' A procedure that handles its own error leaves it in Err when it ends; Exit clears it.
Function Handles
  On Error Resume Next
  x = 1 / 0
  Handles = Err.Number
End Function
WScript.Echo Handles(), Err.Number                      ' expect: 11 11
Err.Clear
Function HandlesAndExits
  On Error Resume Next
  x = 1 / 0
  HandlesAndExits = Err.Number
  Exit Function
End Function
WScript.Echo HandlesAndExits(), Err.Number              ' expect: 11 0
' The statement after a failing one runs; a failing If condition runs its branch.
If 1 / 0 Then
  WScript.Echo "branch after a failed condition"        ' expect: branch after a failed condition
Else
  WScript.Echo "else"
End If
Err.Clear
x = "start"
x = 1 / 0
WScript.Echo x                                          ' expect: start
'---
' Without a handler the first error ends the program.
WScript.Echo "one"                                      ' expect: one
x = 1 / 0                                               ' expect error: 11 line 3
WScript.Echo "two"
'---
Sub Inner
  Err.Raise 5
End Sub
Sub Outer
  Inner                                                 ' the error is reported where it arose
End Sub
Outer                                                   ' expect error: 5 line 2
'---
On Error Resume Next
On Error GoTo 0
x = 1 / 0                                               ' expect error: 11
'---
' Compile errors of code run by Execute are run-time errors of the caller.
On Error Resume Next
Execute "If x Then"
WScript.Echo Err.Number                                 ' expect: 1014
Err.Clear
Execute "x = "
WScript.Echo Err.Number                                 ' expect: 1023
Err.Clear
Execute "x = 1 1"
WScript.Echo Err.Number, Err.Description                ' expect: 1025 Expected end of statement
Err.Clear
Execute "For i = 1 To"
WScript.Echo Err.Number                                 ' expect: 1023
Err.Clear
Execute "Sub S(a) : End Sub : S(1, 2)"
WScript.Echo Err.Number                                 ' expect: 1044
Err.Clear
x = Eval("1 +")
WScript.Echo Err.Number                                 ' expect: 1023
'---
Err.Raise 424                                           ' expect error: 424
'---
Err.Raise 0                                             ' expect error: 5
'---
' On Error Resume Next holds in the procedure that runs it: the caller's errors stay fatal.
Sub Callee : On Error Resume Next : x = 1 / 0 : End Sub
Callee
WScript.Echo "back", Err.Number                         ' expect: back 11
y = 1 / 0                                               ' expect error: 11 line 5
'---
' On Error GoTo 0 in a procedure hands its errors to the caller's handler.
On Error Resume Next
Sub Inner : On Error GoTo 0 : x = 1 / 0 : WScript.Echo "inner goes on" : End Sub
Inner
WScript.Echo "outer goes on", Err.Number                ' expect: outer goes on 11
