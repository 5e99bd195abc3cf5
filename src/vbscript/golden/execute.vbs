' Code run while the program runs: Execute, ExecuteGlobal, Eval, GetRef.
Execute "x = 1 + 1"
WScript.Echo x                                          ' expect: 2
ExecuteGlobal "Function Made(n) : Made = n * 3 : End Function"
WScript.Echo Made(5)                                    ' expect: 15
WScript.Echo Eval("Made(2) + 1")                        ' expect: 7
WScript.Echo Eval("x = 2"), Eval("x = 3")               ' expect: True False
Dim scope
scope = "global"
Sub Proc
  Dim scope
  scope = "local"
  Execute "WScript.Echo scope"
  ExecuteGlobal "WScript.Echo scope"
  Execute "scope = ""changed locally"""
  WScript.Echo scope
  WScript.Echo Eval("scope & ""!""")
End Sub
Proc
' expect: local
' expect: global
' expect: changed locally
' expect: changed locally!
WScript.Echo scope                                      ' expect: global
Function Greeter(name)
  Greeter = "hi " & name
End Function
Set f = GetRef("greeter")
WScript.Echo f("ref"), TypeName(f)                      ' expect: hi ref Object
Sub Callback(a, b)
  WScript.Echo a + b
End Sub
Set g = GetRef("Callback")
g 1, 2                                                  ' expect: 3
WScript.Echo host.callback("Made", 4)                   ' expect: 12
ExecuteGlobal "Class Late : Public Name : End Class"
Set l = New Late
l.Name = "late"
WScript.Echo l.Name                                     ' expect: late
Set obj = Eval("host")
WScript.Echo TypeName(obj)                              ' expect: TestHost
Execute "Dim a(2) : a(1) = ""one"" : WScript.Echo a(1)" ' expect: one
'---
Class Adder
  Private total_
  Sub Add(n)
    Execute "total_ = total_ + n"
  End Sub
  Property Get Total
    Total = Eval("total_")
  End Property
End Class
Set a = New Adder
a.Add 2
a.Add 3
WScript.Echo a.Total                                    ' expect: 5
'---
On Error Resume Next
Set f = GetRef("NoSuchProcedure")
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Eval("1 / 0")
WScript.Echo Err.Number                                 ' expect: 11
Err.Clear
Execute
WScript.Echo Err.Number                                 ' expect: 450
'---
' An error in code that Execute runs is reported at the Execute statement.
x = 1
Execute "y = 1" & vbCrLf & "z = 1 / 0"                  ' expect error: 11 line 3
'---
' UBound asked in every round of a growing array.
ReDim list(-1)
For i = 1 To 300
  ReDim Preserve list(UBound(list) + 1)
  list(UBound(list)) = i
Next
WScript.Echo UBound(list), list(299)                    ' expect: 299 300
'---
' A name a procedure assigns without declaring it is the global of that name, for the code
' Eval and Execute run in the procedure too.
x = 10
Function Twenty
  x = 20
  Twenty = Eval("x")
End Function
WScript.Echo Twenty, x                                  ' expect: 20 20
Sub Thirty
  x = 30
  Execute "WScript.Echo x"                              ' expect: 30
End Sub
Thirty
Sub OwnLocal
  fresh = 1
  WScript.Echo Eval("fresh + 1")                        ' expect: 2
End Sub
OwnLocal
