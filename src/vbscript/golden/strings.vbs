' String functions: lengths and positions, Null and Empty, compare modes.
WScript.Echo Len("hello"), Len(""), Len(Empty), Len(12345), Len(1.5)  ' expect: 5 0 0 5 3
WScript.Echo IsNull(Len(Null))                          ' expect: True
WScript.Echo Left("Hello", 3), Left("Hello", 10), "[" & Left("Hello", 0) & "]"  ' expect: Hel Hello []
WScript.Echo Right("Hello", 3), Right("Hello", 10), "[" & Right("", 2) & "]"  ' expect: llo Hello []
WScript.Echo IsNull(Left(Null, 2)), IsNull(Right(Null, 2)), "[" & Left(Empty, 2) & "]"  ' expect: True True []
WScript.Echo Left(12345, 2), Right(True, 3)             ' expect: 12 rue
WScript.Echo Mid("Hello", 2, 3), Mid("Hello", 2), "[" & Mid("Hello", 6) & "]"  ' expect: ell ello []
WScript.Echo Mid("Hello", 4, 100), "[" & Mid("Hello", 1, 0) & "]", IsNull(Mid(Null, 1))  ' expect: lo [] True
'---
' Positions below 1 and negative lengths are error 5, even where the text is Null.
On Error Resume Next
x = Mid("Hello", 0)
WScript.Echo Err.Number, Err.Description                ' expect: 5 Invalid procedure call or argument
Err.Clear
x = Mid("Hello", 1, -1)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Mid(Null, 0)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Left("Hello", -1)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Right("Hello", -2)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = InStr(0, "abc", "a")
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = InStr(-1, "abc", "a")
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = InStrRev("abc", "a", 0)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = InStrRev("abc", "a", -2)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Space(-1)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = String(-1, "a")
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Replace("abc", "b", "x", 0)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Replace("abc", "b", "x", 1, -2)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Split("a b", " ", -2)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = InStr(1, "abc", "b", 2)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Mid("Hello", "two")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = Mid("Hello", Null)
WScript.Echo Err.Number                                 ' expect: 94
Err.Clear
x = InStr(Null, "abc", "b")
WScript.Echo Err.Number                                 ' expect: 94
'---
' InStr and InStrRev: what the language reference lists for each case.
WScript.Echo InStr("abcabc", "c"), InStr(4, "abcabc", "c"), InStr("abcabc", "x")  ' expect: 3 6 0
WScript.Echo InStr("abc", ""), InStr(2, "abc", ""), InStr("", "a"), InStr("", "")  ' expect: 1 2 0 0
WScript.Echo IsNull(InStr(Null, "a")), IsNull(InStr("abc", Null)), IsNull(InStr(1, "a", Null))  ' expect: True True True
WScript.Echo InStr(10, "abc", "a"), InStr(3, "abc", "c"), InStr(4, "abc", "c")  ' expect: 0 3 0
' A start past the end of string1 gives 0 even for a zero-length string2.
WScript.Echo InStr(3, "abc", ""), InStr(4, "abc", ""), InStrRev("abc", "", 3), InStrRev("abc", "", 4)  ' expect: 3 0 3 0
WScript.Echo InStr(1, "ABC", "b"), InStr(1, "ABC", "b", vbTextCompare), InStr(1, "ABC", "b", vbBinaryCompare)  ' expect: 0 2 0
WScript.Echo InStr(12345, 3), InStr("a" & Empty & "b", "b")  ' expect: 3 2
WScript.Echo InStrRev("abcabc", "c"), InStrRev("abcabc", "c", 5), InStrRev("abcabc", "abc", 5)  ' expect: 6 3 1
WScript.Echo InStrRev("abcabc", "abc", 6), InStrRev("abc", "", 2), InStrRev("abc", "x"), InStrRev("", "a")  ' expect: 4 2 0 0
WScript.Echo InStrRev("abc", "a", 10), InStrRev("ABCabc", "B", -1, vbTextCompare), InStrRev("ABCabc", "B", -1, vbBinaryCompare)  ' expect: 0 5 2
WScript.Echo IsNull(InStrRev(Null, "a")), IsNull(InStrRev("a", Null))  ' expect: True True
'---
' StrComp, LCase, UCase, Trim.
WScript.Echo StrComp("a", "b"), StrComp("b", "a"), StrComp("a", "a")  ' expect: -1 1 0
WScript.Echo StrComp("B", "a"), StrComp("B", "a", vbTextCompare), StrComp("abc", "ABC", 1)  ' expect: -1 1 0
WScript.Echo StrComp("abc", "ab"), StrComp("", "a"), IsNull(StrComp(Null, "a")), IsNull(StrComp("a", Null))  ' expect: 1 -1 True True
WScript.Echo LCase("MiXeD 1"), UCase("MiXeD 1"), "[" & LCase(Empty) & "]"  ' expect: mixed 1 MIXED 1 []
WScript.Echo IsNull(LCase(Null)), IsNull(UCase(Null)), UCase(ChrW(233))  = ChrW(201)  ' expect: True True True
WScript.Echo "[" & Trim("  a b  ") & "]", "[" & LTrim("  a ") & "]", "[" & RTrim("  a ") & "]"  ' expect: [a b] [a ] [  a]
WScript.Echo Len(Trim(vbTab & "a" & vbTab)), IsNull(Trim(Null)), IsNull(LTrim(Null)), IsNull(RTrim(Null))  ' expect: 3 True True True
'---
' Building texts: Space, String, StrReverse, Chr and Asc.
WScript.Echo "[" & Space(3) & "]", "[" & Space(0) & "]"  ' expect: [   ] []
WScript.Echo String(3, "ab"), String(3, 65), String(2, 321), "[" & String(0, "a") & "]"  ' expect: aaa AAA AA []
WScript.Echo IsNull(String(2, Null)), StrReverse("abc"), "[" & StrReverse("") & "]"  ' expect: True cba []
WScript.Echo Asc("A"), Asc("Apple"), AscW("a"), AscB("A"), Chr(65), ChrW(97)  ' expect: 65 65 97 65 A a
WScript.Echo AscW(Chr(128)), Asc(ChrW(8364)), AscW(ChrW(40000)), AscW(ChrW(-1))  ' expect: 8364 128 -25536 -1
WScript.Echo Len(Chr(0)), Asc(Chr(255)), ChrW(8364) = Chr(128)  ' expect: 1 255 True
On Error Resume Next
x = Asc("")
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Asc(Null)
WScript.Echo Err.Number                                 ' expect: 94
Err.Clear
x = Chr(256)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Chr(-1)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = ChrW(65536)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = String(2, "")
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = StrReverse(Null)
WScript.Echo Err.Number                                 ' expect: 94
'---
' Replace: the result begins at start; count limits the replacements; a text compare.
WScript.Echo Replace("aXbXc", "X", "-"), Replace("aXbXc", "X", "-", 3), Replace("aXbXcX", "X", "-", 1, 2)  ' expect: a-b-c b-c a-b-cX
WScript.Echo Replace("aXbxc", "x", "-"), Replace("aXbxc", "x", "-", 1, -1, vbTextCompare)  ' expect: aXb-c a-b-c
WScript.Echo Replace("abc", "", "-"), Replace("abc", "b", ""), Replace("abc", "b", "x", 1, 0)  ' expect: abc ac abc
WScript.Echo "[" & Replace("", "a", "b") & "]", "[" & Replace("abc", "b", "x", 5) & "]", Replace("abc", "c", "x", 3)  ' expect: [] [] x
WScript.Echo Replace("aaa", "aa", "b"), Replace("a.b.c", ".", "..") , Replace(1.5, ".", ",")  ' expect: ba a..b..c 1,5
WScript.Echo Replace("Hello", "L", "_", 1, -1, 1), Replace("Hello", "L", "_")  ' expect: He__o Hello
On Error Resume Next
x = Replace(Null, "a", "b")
WScript.Echo Err.Number                                 ' expect: 94
Err.Clear
x = Replace("abc", Null, "b")
WScript.Echo Err.Number                                 ' expect: 94
'---
' Split, Join and Filter.
parts = Split("a,b,,c", ",")
WScript.Echo UBound(parts), parts(0), "[" & parts(2) & "]", parts(3)  ' expect: 3 a [] c
WScript.Echo UBound(Split("a b c")), UBound(Split("")), UBound(Split("abc", "")), Split("abc", "")(0)  ' expect: 2 -1 0 abc
parts = Split("a,b,c", ",", 2)
WScript.Echo UBound(parts), parts(1)                    ' expect: 1 b,c
WScript.Echo UBound(Split("aXbxc", "x")), UBound(Split("aXbxc", "x", -1, vbTextCompare))  ' expect: 1 2
WScript.Echo UBound(Split("a,b", ",", 0)), UBound(Split(",", ",")), LBound(Split("a"))  ' expect: -1 1 0
WScript.Echo Join(Array("a", "b", "c"), "-"), Join(Array("a", "b")), "[" & Join(Array()) & "]"  ' expect: a-b-c a b []
WScript.Echo Join(Array(1, 2.5, True), "|"), Join(Split("x y z"), ""), Join(Array("a", "b"), Empty)  ' expect: 1|2.5|True xyz ab
fruit = Array("apple", "Banana", "cherry")
WScript.Echo Join(Filter(fruit, "an"), ","), Join(Filter(fruit, "A", True, vbTextCompare), ",")  ' expect: Banana apple,Banana
WScript.Echo Join(Filter(fruit, "an", False), ","), UBound(Filter(fruit, "x"))  ' expect: apple,cherry -1
On Error Resume Next
x = Join("abc")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = Filter("abc", "a")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = Split(Null)
WScript.Echo Err.Number                                 ' expect: 94
'---
' Escape and Unescape.
WScript.Echo Escape("a b+c/d?"), Escape("@*_+-./"), Escape(ChrW(8364) & "é")  ' expect: a%20b+c/d%3F @*_+-./ %u20AC%E9
WScript.Echo Unescape("%41%u20AC%zz%"), Unescape("100%25"), Unescape(Escape("x y&z")) ' expect: A€%zz% 100% x y&z
WScript.Echo IsNull(Escape(Null)), IsNull(Unescape(Null))  ' expect: True True
'---
' Texts of numbers and dates follow the locale; a program's number literals do not.
' locale: nl_NL.UTF-8
WScript.Echo Mid(3.25, 2), Len(1.5), "x" & 2.5, InStr(2.5, ",")  ' expect: ,25 3 x2,5 2
WScript.Echo Replace(1234.5, ",", "."), Split(0.5, ",")(1)  ' expect: 1234.5 5
'---
' Empty is the zero-length text where a text is expected and 0 where a number is.
WScript.Echo "[" & UCase(Empty) & Trim(Empty) & Replace(Empty, "a", "b") & StrReverse(Empty) & "]", InStr(Empty, "a"), InStr("abc", Empty)  ' expect: [] 0 1
WScript.Echo UBound(Split(Empty)), Len(Space(Empty)), Len(String(Empty, "a")), AscW(Chr(Empty)), StrComp(Empty, "")  ' expect: -1 0 0 0 0
WScript.Echo Mid("abc", 2, Empty) = "", Left("abc", Empty) = "", Len(Escape(Empty))  ' expect: True True 0
On Error Resume Next
x = Asc(Empty)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Mid("abc", Empty)
WScript.Echo Err.Number                                 ' expect: 5
'---
' The byte forms count two bytes to a character.
WScript.Echo LenB("abc"), LenB(""), IsNull(LenB(Null))  ' expect: 6 0 True
WScript.Echo LeftB("abc", 4), RightB("abc", 2), MidB("abcd", 3, 4), MidB("abc", 5)  ' expect: ab c bc c
WScript.Echo InStrB("abcb", "b"), InStrB(4, "abcb", "b"), InStrB("abc", "B")  ' expect: 3 7 0
WScript.Echo InStrB(1, "ABC", "b", 1), InStrB("abc", "z"), InStrB("", "a")  ' expect: 3 0 0
WScript.Echo AscB(MidB("A", 1, 1)), LenB(MidB("abc", 3))  ' expect: 65 4
'---
x = LeftB("abc", -1)                                    ' expect error: 5
