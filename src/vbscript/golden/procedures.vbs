' Procedures: Sub and Function, arguments by value and by reference, the ways to call.
Sub Greet(name)
  WScript.Echo "hello " & name
End Sub
Greet "a"                                               ' expect: hello a
Call Greet("b")                                         ' expect: hello b
Greet("c")                                              ' expect: hello c
Function Add(a, b)
  Add = a + b
End Function
WScript.Echo Add(2, 3)                                  ' expect: 5
Call Add(1, 1)
Add 1, 1
r = Add(Add(1, 2), Add(3, 4))
WScript.Echo r                                          ' expect: 10
Sub Bump(n)
  n = n + 1
End Sub
Sub BumpCopy(ByVal n)
  n = n + 1
End Sub
v = 1
Bump v
WScript.Echo v                                          ' expect: 2
BumpCopy v
WScript.Echo v                                          ' expect: 2
Bump (v)
WScript.Echo v                                          ' expect: 2
Call Bump(v)
WScript.Echo v                                          ' expect: 3
Bump v + 0
WScript.Echo v                                          ' expect: 3
Sub BumpTwice(ByRef n)
  Bump n
  Bump n
End Sub
BumpTwice v
WScript.Echo v                                          ' expect: 5
Function Fact(n)
  If n <= 1 Then
    Fact = 1
  Else
    Fact = n * Fact(n - 1)
  End If
End Function
WScript.Echo Fact(10)                                   ' expect: 3628800
Function Builds(n)
  Builds = ""
  For i = 1 To n
    Builds = Builds & i
  Next
End Function
WScript.Echo Builds(5)                                  ' expect: 12345
Function Nothing_
End Function
WScript.Echo IsEmpty(Nothing_())                        ' expect: True
Function NoParentheses
  NoParentheses = "np"
End Function
WScript.Echo NoParentheses, NoParentheses()             ' expect: np np
Sub Swap(a, b)
  Dim t
  t = a : a = b : b = t
End Sub
p = "first" : q = "second"
Swap p, q
WScript.Echo p, q                                       ' expect: second first
' Names match without regard to case.
wscript.echo ADD(1, 1), add(2, 2)                       ' expect: 2 4
Sub Outer
  Inner "from outer"
End Sub
Sub Inner(text)
  WScript.Echo text
End Sub
Outer                                                   ' expect: from outer
' A global changed inside a procedure.
Dim shared
Sub SetShared
  shared = "set"
End Sub
SetShared
WScript.Echo shared                                     ' expect: set
' A left-out argument arrives as a missing value.
Sub Takes(a, b, c)
  WScript.Echo TypeName(b)
End Sub
Takes 1, , 3                                            ' expect: Error
'---
On Error Resume Next
Function Two(a, b) : Two = 2 : End Function
x = Two(1)
WScript.Echo Err.Number                                 ' expect: 450
Err.Clear
Undefined 1
WScript.Echo Err.Number, Err.Description                ' expect: 13 Type mismatch: 'Undefined'
Err.Clear
Function Deep(n)
  Deep = Deep(n + 1)
End Function
x = Deep(1)
WScript.Echo Err.Number                                 ' expect: 28
'---
Sub S(a, b) : End Sub
S(1, 2)                                                 ' expect error: 1044
'---
Sub S(a, a) : End Sub                                   ' expect error: 1041
'---
' References pass on through calls, to globals and to objects.
Sub Outer2(ByRef x) : Inner2 x : End Sub
Sub Inner2(ByRef y) : y = y & "!" : End Sub
s = "chain" : Outer2 s
WScript.Echo s                                          ' expect: chain!
Sub Swapped(ByRef o) : Set o = host.child : End Sub
Set target = host
Swapped target
WScript.Echo target Is host.child                       ' expect: True
Function MakeChild : Set MakeChild = host.child : End Function
WScript.Echo TypeName(MakeChild())                      ' expect: TestHost
Dim g : g = 1
Sub TouchGlobal(ByRef a)
  a = a + 1
  g = g * 10
End Sub
TouchGlobal g
WScript.Echo g                                          ' expect: 20
