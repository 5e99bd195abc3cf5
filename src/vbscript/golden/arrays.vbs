' Arrays: elements, bounds, value semantics, For Each, VarType.
Dim a(2)
a(0) = "zero" : a(1) = 1 : a(2) = Array(1, 2)
WScript.Echo a(0), a(1), a(2)(1)                        ' expect: zero 1 2
WScript.Echo VarType(a), TypeName(a)                    ' expect: 8204 Variant()
WScript.Echo VarType(Array()), UBound(Array())          ' expect: 8204 -1
b = a
b(0) = "changed"
WScript.Echo a(0), b(0)                                 ' expect: zero changed
Sub ChangeCopy(ByVal arr)
  arr(0) = "inside"
End Sub
ChangeCopy a
WScript.Echo a(0)                                       ' expect: zero
Sub ChangeRef(arr)
  arr(0) = "by reference"
End Sub
ChangeRef a
WScript.Echo a(0)                                       ' expect: by reference
Function Filled(n)
  Dim r()
  ReDim r(n - 1)
  For i = 0 To n - 1
    r(i) = i * i
  Next
  Filled = r
End Function
squares = Filled(4)
WScript.Echo squares(3), UBound(squares)                ' expect: 9 3
total = 0
For Each v In squares
  total = total + v
Next
WScript.Echo total                                      ' expect: 14
For Each v In Array()
  WScript.Echo "never"
Next
Dim grid(2, 3)
For r = 0 To 2
  For c = 0 To 3
    grid(r, c) = r * 10 + c
  Next
Next
WScript.Echo grid(2, 3), grid(1, 0)                     ' expect: 23 10
count = 0
For Each cell In grid
  count = count + 1
Next
WScript.Echo count                                      ' expect: 12
nested = Array(Array(1, 2), Array(3, Array(4, 5)))
WScript.Echo nested(1)(1)(0)                            ' expect: 4
' For Each runs over the elements as they were when it began.
items = Array(1, 2, 3)
For Each item In items
  items(2) = 30
  WScript.Echo item
Next
' expect: 1
' expect: 2
' expect: 3
WScript.Echo items(2)                                   ' expect: 30
' An element passed by reference comes back changed.
Sub Increment(n)
  n = n + 1
End Sub
counts = Array(5, 6)
Increment counts(1)
WScript.Echo counts(1)                                  ' expect: 7
Increment (counts(1))
WScript.Echo counts(1)                                  ' expect: 7
WScript.Echo LBound(counts), UBound(counts, 1)          ' expect: 0 1
'---
On Error Resume Next
Dim small(1)
x = small(2)
WScript.Echo Err.Number                                 ' expect: 9
Err.Clear
x = small(-1)
WScript.Echo Err.Number                                 ' expect: 9
Err.Clear
x = small(0, 0)
WScript.Echo Err.Number                                 ' expect: 9
Err.Clear
small(5) = 1
WScript.Echo Err.Number                                 ' expect: 9
Err.Clear
n = 5
x = n(0)
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = UBound(n)
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
For Each v In 5
Next
WScript.Echo Err.Number                                 ' expect: 451
Err.Clear
x = small("1")
WScript.Echo Err.Number                                 ' expect: 0
'---
' Array, LBound and UBound: every dimension, empty arrays, Null and Empty elements.
a = Array(1, "two", Null, Empty, Array(5))
WScript.Echo LBound(a), UBound(a), IsNull(a(2)), IsEmpty(a(3)), UBound(a(4))  ' expect: 0 4 True True 0
WScript.Echo UBound(Array()), LBound(Array()), TypeName(Array()), IsArray(Array())  ' expect: -1 0 Variant() True
Dim cube(2, 4, 6)
WScript.Echo UBound(cube), UBound(cube, 1), UBound(cube, 2), UBound(cube, 3), LBound(cube, 3)  ' expect: 2 2 4 6 0
ReDim dynamic(3)
ReDim Preserve dynamic(5)
WScript.Echo UBound(dynamic), UBound(Split("a b c"), 1)  ' expect: 5 2
Dim notYet()
On Error Resume Next
x = UBound(notYet)
WScript.Echo Err.Number                                 ' expect: 9
Err.Clear
' ReDim Preserve sizes an array Dim left unsized, or Erase freed, keeping nothing.
ReDim Preserve notYet(2, 1)
WScript.Echo Err.Number, UBound(notYet, 1), UBound(notYet, 2)  ' expect: 0 2 1
notYet(2, 1) = "kept"
Erase notYet
ReDim Preserve notYet(3)
WScript.Echo Err.Number, UBound(notYet), IsEmpty(notYet(3))  ' expect: 0 3 True
x = UBound(cube, 4)
WScript.Echo Err.Number                                 ' expect: 9
Err.Clear
x = LBound(cube, 0)
WScript.Echo Err.Number                                 ' expect: 9
Err.Clear
x = UBound(Null)
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = LBound(Empty)
WScript.Echo Err.Number                                 ' expect: 13
