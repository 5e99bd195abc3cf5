' Variants: kinds, conversions and the special values Empty, Null and Nothing.
WScript.Echo TypeName(Empty), TypeName(Null), TypeName(Nothing)   ' expect: Empty Null Nothing
WScript.Echo VarType(Empty), VarType(Null), VarType(1), VarType(70000)   ' expect: 0 1 2 3
' An object with a default member reports its default value's kind.
WScript.Echo VarType(1.5), VarType("s"), VarType(True), VarType(host)   ' expect: 5 8 11 8
WScript.Echo TypeName(CInt("12")), CInt(2.5), CInt(3.5), CInt(-2.5)    ' expect: Integer 2 4 -2
WScript.Echo CLng("70000") + 1, TypeName(CDbl(1)), CBool("false"), CBool(3)  ' expect: 70001 Double False True
WScript.Echo CStr(1.5), CStr(True), CStr(-0.25), CStr(1E+20)            ' expect: 1.5 True -0.25 1E+20
WScript.Echo 1 / 3                                       ' expect: 0.333333333333333
WScript.Echo 0.1 + 0.2 = 0.3                             ' expect: False
WScript.Echo 100000 * 100000                             ' expect: 10000000000
WScript.Echo "&H10" + 0, " 12 " * 2                      ' expect: 16 24
x = Empty
WScript.Echo IsEmpty(x), x = 0, x = "", Len(x)          ' expect: True True True 0
x = Null
WScript.Echo IsNull(x), IsNull(Len(x))                  ' expect: True True
Dim o
Set o = Nothing
WScript.Echo IsObject(o), o Is Nothing                  ' expect: True True
' A Variant keeps what it is given.
v = 5 : WScript.Echo TypeName(v)                        ' expect: Integer
v = "5" : WScript.Echo TypeName(v)                      ' expect: String
v = v + 0 : WScript.Echo TypeName(v)                    ' expect: Double
v = v & "" : WScript.Echo TypeName(v)                   ' expect: String
'---
On Error Resume Next
x = CInt(40000)
WScript.Echo Err.Number                                 ' expect: 6
Err.Clear
x = CLng("abc")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = CBool("maybe")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = Len(Null) + 1
WScript.Echo Err.Number                                 ' expect: 0
