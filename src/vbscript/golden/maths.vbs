' Mathematical functions: Round rounds half to even; Int and Fix; Null and Empty.
WScript.Echo Round(0.5), Round(1.5), Round(2.5), Round(3.5), Round(-2.5), Round(-3.5)  ' expect: 0 2 2 4 -2 -4
WScript.Echo Round(0.125, 2), Round(0.375, 2), Round(3.14159, 3), Round(2.5, 0), Round(1234.5678, 2)  ' expect: 0.12 0.38 3.142 2 1234.57
WScript.Echo Round("3.5"), TypeName(Round(2)), TypeName(Round(2.5)), TypeName(Round(CCur(2.5))), TypeName(Round("3"))  ' expect: 4 Integer Double Currency Double
WScript.Echo IsNull(Round(Null)), Round(Empty), Round(True), Round(7, 2)  ' expect: True 0 -1 7
WScript.Echo Int(8.4), Int(-8.4), Fix(8.9), Fix(-8.9), Int(-0.5), Fix(-0.5)  ' expect: 8 -9 8 -8 -1 0
WScript.Echo IsNull(Int(Null)), IsNull(Fix(Null)), Int(Empty), TypeName(Int(2.5)), TypeName(Int(CCur(2.5))), Int(CCur(-2.5))  ' expect: True True 0 Double Currency -3
WScript.Echo Int("2.9"), Fix(True), TypeName(Int(7)), TypeName(Fix(70000)), Int(CDate("1/2/2024 13:00"))  ' expect: 2 -1 Integer Long 1/2/2024
WScript.Echo Abs(-5), Abs(5.5), Abs("-3"), Abs(Empty), IsNull(Abs(Null)), TypeName(Abs(-5))  ' expect: 5 5.5 3 0 True Integer
WScript.Echo Abs(-32768), TypeName(Abs(-32768))         ' expect: 32768 Long
WScript.Echo Sgn(-2), Sgn(0), Sgn(3.5), Sgn(Empty), TypeName(Sgn(-2.5))  ' expect: -1 0 1 0 Integer
On Error Resume Next
x = Round(2.5, -1)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Round("abc")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = Int("abc")
WScript.Echo Err.Number                                 ' expect: 13
'---
' Exp, Log, Sqr and the angles.
WScript.Echo Sqr(16), Sqr(2), Sqr(0), Log(1), Log(Exp(1)), Exp(0)  ' expect: 4 1.4142135623731 0 0 1 1
WScript.Echo Atn(1) * 4, Cos(0), Sin(0), Tan(0), Round(Sin(Atn(1) * 2), 10), Round(Cos(Atn(1) * 4), 10)  ' expect: 3.14159265358979 1 0 0 1 -1
WScript.Echo IsNull(Sqr(Null)), IsNull(Log(Null)), IsNull(Exp(Null)), IsNull(Sin(Null)), IsNull(Atn(Null))  ' expect: True True True True True
WScript.Echo TypeName(Sqr(4)), TypeName(Cos(CInt(0))), Exp("1") = Exp(1)  ' expect: Double Double True
On Error Resume Next
x = Sqr(-1)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Log(0)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Log(-1)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Exp(710)
WScript.Echo Err.Number                                 ' expect: 6
'---
' Rnd: a fresh engine starts the documented sequence; a negative argument seeds it so that the
' same number comes each time; 0 repeats the last number.
WScript.Echo Rnd                                        ' expect: 0.7055475
WScript.Echo Rnd(-1), Rnd(-1), Rnd(0)                   ' expect: 0.224007 0.224007 0.224007
x = Rnd
WScript.Echo Rnd(0) = x, Rnd(0) = x, Rnd(1) = x         ' expect: True True False
inRange = True
For i = 1 To 1000
  r = Rnd
  If r < 0 Or r >= 1 Or TypeName(r) <> "Single" Then inRange = False
Next
WScript.Echo inRange                                    ' expect: True
'---
' Rnd with a negative argument just before Randomize with a number repeats a sequence;
' Randomize with the same number alone does not.
Rnd -1
Randomize 42
a = Rnd : b = Rnd : c = Rnd
Rnd -1
Randomize 42
WScript.Echo a = Rnd, b = Rnd, c = Rnd                  ' expect: True True True
Randomize 42
WScript.Echo a = Rnd                                    ' expect: False
Rnd -1
Randomize 43
WScript.Echo a = Rnd                                    ' expect: False
Rnd -1
Randomize
x = Rnd
WScript.Echo x >= 0 And x < 1                           ' expect: True
'---
' Each engine has its own generator: this program starts the sequence afresh.
WScript.Echo Rnd                                        ' expect: 0.7055475
'---
' locale: nl_NL.UTF-8
WScript.Echo Round(2.567, 2), Sqr("6,25"), Abs("-1,5"), Int("2,9")  ' expect: 2,57 2,5 1,5 2
'---
' Empty counts as 0; Null goes through where the language reference says so.
WScript.Echo Sqr(Empty), Exp(Empty), Cos(Empty), Int(Empty) + Fix(Empty), Round(Empty, 2), Hex(Empty), Oct(Empty)  ' expect: 0 1 1 0 0 0 0
WScript.Echo FormatNumber(Empty, 1), FormatPercent(Empty, 0), CDbl(Empty), CLng(Empty), CCur(Empty), CSng(Empty)  ' expect: 0.0 0% 0 0 0 0
On Error Resume Next
x = Log(Empty)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Sgn(Null)
WScript.Echo Err.Number                                 ' expect: 94
