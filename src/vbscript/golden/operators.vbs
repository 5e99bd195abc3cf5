' Operators: precedence, arithmetic and its types, comparison, logic.
WScript.Echo -3 ^ 2, -(3 ^ 2), 2 * -3 ^ 2                ' expect: 9 -9 18
WScript.Echo 2 ^ -1                              ' expect: 0.5
WScript.Echo 2 ^ 3 ^ 2                           ' expect: 64
WScript.Echo 2 + 3 * 4                           ' expect: 14
WScript.Echo 10 - 2 - 3                          ' expect: 5
WScript.Echo 7 \ 2 * 2                           ' expect: 1
WScript.Echo 7 Mod 3 * 2                         ' expect: 1
WScript.Echo 10 \ 4 Mod 2                        ' expect: 0
WScript.Echo 1 + 2 & 3 + 4                       ' expect: 37
WScript.Echo 1 + 2 = 3                           ' expect: True
WScript.Echo Not 1 = 2                           ' expect: True
WScript.Echo True Or False And False             ' expect: True
WScript.Echo (True Or False) And False           ' expect: False
WScript.Echo 7 / 2, 7 \ 2, -7 \ 2, 7 Mod -3, -7 Mod 3  ' expect: 3.5 3 -3 1 -1
WScript.Echo 7.5 \ 2, 6.5 \ 1, 2.5 Mod 2          ' expect: 4 6 0
WScript.Echo TypeName(1 + 1), TypeName(32767 + 1)        ' expect: Integer Long
WScript.Echo TypeName(2147483647 + 1)                    ' expect: Double
WScript.Echo TypeName(300 * 300), 300 * 300              ' expect: Long 90000
WScript.Echo TypeName(4 / 2), TypeName(5 \ 2), TypeName(1.5 + 1)  ' expect: Double Integer Double
WScript.Echo TypeName(-32768), TypeName(-(-32768))       ' expect: Integer Long
WScript.Echo "5" + 3, "5" & 3, "5" + "3"                 ' expect: 8 53 53
WScript.Echo TypeName("5" + 3)                           ' expect: Double
WScript.Echo TypeName(True + True), True + True          ' expect: Integer -2
WScript.Echo Empty + 1, TypeName(Empty + Empty)          ' expect: 1 Integer
WScript.Echo "a" & Empty & "b", "x" + Empty              ' expect: ab x
WScript.Echo IsNull(Null + 1), IsNull(Null & Null)       ' expect: True True
WScript.Echo "n" & Null & "x"                            ' expect: nx
WScript.Echo 5 And 3, 5 Or 3, 5 Xor 3, Not 5             ' expect: 1 7 6 -6
WScript.Echo True Xor True, True Eqv False, False Imp False  ' expect: False False True
WScript.Echo 12 Eqv 10, 12 Imp 10                        ' expect: -7 -5
WScript.Echo TypeName(True And True), TypeName(True And 1)   ' expect: Boolean Integer
WScript.Echo IsNull(Null And True), Null And False       ' expect: True False
WScript.Echo Null Or True, IsNull(Null Or False)         ' expect: True True
WScript.Echo IsNull(Null = Null), IsNull(1 < Null)       ' expect: True True
WScript.Echo "abc" < "abd", "B" < "a", "abc" = "ABC"     ' expect: True True False
WScript.Echo 2 < 10, "2" < "10"                          ' expect: True False
WScript.Echo Empty = 0, Empty = "", 0 = ""               ' expect: True True False
'---
' Numbers and texts compare by their kinds; a literal on either side makes it numeric.
Dim s, n
s = "10" : n = 10
WScript.Echo s = 10, s > 9, n = "10"                     ' expect: True True True
WScript.Echo s = n, n < s                                ' expect: False True
'---
Dim a, b
Set a = host : Set b = host
WScript.Echo a Is b, a Is Nothing, Nothing Is Nothing    ' expect: True False True
Set b = host.child
WScript.Echo a Is b                                      ' expect: False
'---
On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number                                  ' expect: 11
Err.Clear
x = 5 \ 0
WScript.Echo Err.Number                                  ' expect: 11
Err.Clear
x = 5 Mod 0
WScript.Echo Err.Number                                  ' expect: 11
Err.Clear
x = 0 / 0
WScript.Echo Err.Number                                  ' expect: 6
Err.Clear
x = "abc" + 1
WScript.Echo Err.Number                                  ' expect: 13
Err.Clear
x = 1E308 * 10
WScript.Echo Err.Number                                  ' expect: 6
Err.Clear
x = 2147483647 \ 1 + CLng(1)
WScript.Echo Err.Number, x                               ' expect: 0 2147483648
Err.Clear
x = 1 Is 2
WScript.Echo Err.Number                                  ' expect: 424
Err.Clear
x = (-1) ^ 0.5
WScript.Echo Err.Number                                  ' expect: 5
'---
x = Null
y = x + 1
z = CLng(x)                                              ' expect error: 94 line 3
'---
' Dates take part in arithmetic as days.
WScript.Echo CDbl(#1/1/2000# + 1), TypeName(#1/1/2000# + 1)        ' expect: 36527 Date
WScript.Echo #1/2/2000# - #1/1/2000#, TypeName(#1/2/2000# - #1/1/2000#)  ' expect: 1 Double
WScript.Echo 200 * 200 * 200, TypeName(200 * 200)       ' expect: 8000000 Long
WScript.Echo 5 \ 2.6, TypeName(CLng(5) \ 2)             ' expect: 1 Long
WScript.Echo 2 ^ 0.5 > 1.41, 10 Mod 2.6                 ' expect: True 1
