' Declarations: Dim, Const, ReDim, Erase, Public and Private, Option Explicit.
Dim a, b, c
WScript.Echo IsEmpty(a), TypeName(b)                    ' expect: True Empty
Const Greeting = "hi", Answer = 42, Negative = -5
WScript.Echo Greeting, Answer + 1, Negative             ' expect: hi 43 -5
Const Derived = Answer
WScript.Echo Derived                                    ' expect: 42
Public pub : Private priv
pub = 1 : priv = 2
WScript.Echo pub + priv                                 ' expect: 3
Dim fixed(3), grid(1, 2), dynamic()
WScript.Echo UBound(fixed), UBound(grid, 1), UBound(grid, 2)   ' expect: 3 1 2
WScript.Echo IsArray(dynamic), IsArray(fixed)           ' expect: True True
ReDim dynamic(2)
dynamic(2) = "last"
WScript.Echo UBound(dynamic), dynamic(2)                ' expect: 2 last
ReDim Preserve dynamic(4)
WScript.Echo UBound(dynamic), dynamic(2), IsEmpty(dynamic(4))  ' expect: 4 last True
ReDim Preserve dynamic(1)
WScript.Echo UBound(dynamic)                            ' expect: 1
ReDim dynamic(1)
WScript.Echo IsEmpty(dynamic(0))                        ' expect: True
ReDim m(1, 1)
m(1, 1) = "corner"
ReDim Preserve m(1, 3)
WScript.Echo m(1, 1), UBound(m, 2)                      ' expect: corner 3
fixed(0) = 5
Erase fixed
WScript.Echo UBound(fixed), IsEmpty(fixed(0))           ' expect: 3 True
undeclared = "implicit"
WScript.Echo undeclared                                 ' expect: implicit
x = y                                                   ' reading an unknown name gives Empty
WScript.Echo IsEmpty(x)                                 ' expect: True
Sub Declares
  Dim inner
  inner = "local"
  implicitLocal = "also local"
  WScript.Echo inner, implicitLocal
End Sub
Declares                                                ' expect: local also local
WScript.Echo IsEmpty(implicitLocal)                     ' expect: True
WScript.Echo TypeName(laterDeclared)                    ' expect: Empty
Dim laterDeclared
'---
' Dim is a declaration: it takes effect for the whole scope, wherever it stands.
Sub UsesGlobalDeclaredBelow
  counter = counter + 1
End Sub
Dim counter
UsesGlobalDeclaredBelow
UsesGlobalDeclaredBelow
WScript.Echo counter                                    ' expect: 2
'---
On Error Resume Next
Dim fixedSize(2)
ReDim fixedSize(5)
WScript.Echo Err.Number                                 ' expect: 10
Err.Clear
ReDim d(2)
ReDim Preserve d(1, 1)
WScript.Echo Err.Number                                 ' expect: 9
Err.Clear
ReDim e(-2)
WScript.Echo Err.Number                                 ' expect: 9
Err.Clear
ReDim e(-1)
WScript.Echo Err.Number, UBound(e)                      ' expect: 0 -1
Err.Clear
ReDim huge(100000, 100000)
WScript.Echo Err.Number                                 ' expect: 7
'---
Option Explicit
Dim known
known = 1
WScript.Echo known                                      ' expect: 1
unknown = 2                                             ' expect error: 500 line 5
'---
Option Explicit
Sub S
  Dim here
  here = 1
  WScript.Echo "in S"
  missing = here
End Sub
S                                                       ' expect: in S
' expect error: 500 line 6
'---
Const Fixed = 1
Fixed = 2                                               ' expect error: 501
'---
Dim twice
Dim twice                                               ' expect error: 1041 line 2
'---
Sub Same : End Sub
Function Same : End Function                            ' expect error: 1041
'---
Const NotLiteral = Len("x")                             ' expect error: 1045
'---
Dim bad(x)                                              ' expect error: 1026
'---
' ReDim declares the dynamic array it sizes, at script level as in a procedure.
Option Explicit
ReDim list(2)
list(2) = "last"
ReDim Preserve list(3)
WScript.Echo UBound(list), list(2)                      ' expect: 3 last
Sub Grow
  ReDim inner(1)
  WScript.Echo UBound(inner)                            ' expect: 1
End Sub
Grow
'---
' Option Explicit comes before every other statement.
x = 1
Option Explicit                                         ' expect error: 1024 line 3
'---
' Option Explicit: only comments and blank lines go before it.

Option Explicit
Dim y : y = 2
WScript.Echo y                                          ' expect: 2
