' Conversion functions: CInt and CLng round half to even, ranges overflow, Null and Empty.
WScript.Echo CInt(0.5), CInt(1.5), CInt(2.5), CInt(3.5), CInt(-2.5), CInt(-3.5)  ' expect: 0 2 2 4 -2 -4
WScript.Echo CLng(0.5), CLng(1.5), CLng(2.5), CLng(-0.5), CLng(2.4999), CLng(2.5001)  ' expect: 0 2 2 0 2 3
WScript.Echo CInt(32767.4), CInt(-32768.5), CLng(-2147483648.5), CByte(254.5), CByte(0.5)  ' expect: 32767 -32768 -2147483648 254 0
WScript.Echo CInt("12"), CInt(" 7 "), CLng("1e3"), CInt(Empty), CInt(True), CLng("&H10")  ' expect: 12 7 1000 0 -1 16
WScript.Echo TypeName(CInt(1)), TypeName(CLng(1)), TypeName(CByte(1)), TypeName(CSng(1)), TypeName(CDbl(1)), TypeName(CCur(1))  ' expect: Integer Long Byte Single Double Currency
WScript.Echo TypeName(CBool(1)), TypeName(CDate(1)), TypeName(CStr(1))  ' expect: Boolean Date String
'---
On Error Resume Next
x = CInt(32767.5)
WScript.Echo Err.Number, Err.Description                ' expect: 6 Overflow
Err.Clear
x = CInt(-32769)
WScript.Echo Err.Number                                 ' expect: 6
Err.Clear
x = CLng(2147483647.5)
WScript.Echo Err.Number                                 ' expect: 6
Err.Clear
x = CByte(255.5)
WScript.Echo Err.Number                                 ' expect: 6
Err.Clear
x = CByte(-1)
WScript.Echo Err.Number                                 ' expect: 6
Err.Clear
x = CSng(1E+300)
WScript.Echo Err.Number                                 ' expect: 6
Err.Clear
x = CInt("abc")
WScript.Echo Err.Number, Err.Description                ' expect: 13 Type mismatch
Err.Clear
x = CDbl("")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = CInt(Null)
WScript.Echo Err.Number, Err.Description                ' expect: 94 Invalid use of Null
Err.Clear
x = CStr(Null)
WScript.Echo Err.Number                                 ' expect: 94
Err.Clear
x = CBool("yes")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = CDate("not a date")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = CLng(Array(1))
WScript.Echo Err.Number                                 ' expect: 13
'---
' CBool, CDbl, CCur, CSng and CStr.
WScript.Echo CBool("True"), CBool("false"), CBool(0), CBool(-0.1), CBool("1"), CBool(Empty)  ' expect: True False False True True False
WScript.Echo CDbl("1.5e2"), CDbl("  3.5  "), CDbl("&H10"), CDbl("-.5"), CDbl(True), CDbl("1,000")  ' expect: 150 3.5 16 -0.5 -1 1000
WScript.Echo CCur(1.23456), CCur(0.00005), CCur(0.00015), CCur("12.5")  ' expect: 1.2346 0 0.0002 12.5
WScript.Echo CCur(922337203685477), CCur(-922337203685477), CCur(-0.00025), CCur(123456789.12345)  ' expect: 922337203685477 -922337203685477 -0.0002 123456789.1234
WScript.Echo CSng(1 / 3), CDbl(CSng(0.5)), CStr(CSng(1.1))  ' expect: 0.3333333 0.5 1.1
WScript.Echo CStr(True), CStr(1.5), CStr(1E+20), CStr(0.1 + 0.2), CStr(-0.5), "[" & CStr(Empty) & "]"  ' expect: True 1.5 1E+20 0.3 -0.5 []
WScript.Echo CStr(1 / 3), CStr(123456789012345678), CStr(1E-5), CStr(100000), CStr(2 ^ 31)  ' expect: 0.333333333333333 1.23456789012346E+17 1E-05 100000 2147483648
'---
' Dates from numbers and texts, in US English: month, day, year.
WScript.Echo CDate(1), CDate(2.5), CDate(0.75), CDate(0)  ' expect: 12/31/1899 1/1/1900 12:00:00 PM 6:00:00 PM 12:00:00 AM
WScript.Echo CDate("2/29/2024"), CDate("2024-02-29"), CDate("29 February 2024"), CDate("Feb 29, 2024 1:05 pm")  ' expect: 2/29/2024 2/29/2024 2/29/2024 2/29/2024 1:05:00 PM
WScript.Echo CDbl(CDate("1/1/2000")), CLng(#1/1/2000#), CDate(36526) = #1/1/2000#  ' expect: 36526 36526 True
WScript.Echo CDate("13/1/2026"), CDate("2026/1/13")     ' expect: 1/13/2026 1/13/2026
On Error Resume Next
x = CDate("2/30/2024")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = CDate(3000000)
WScript.Echo Err.Number                                 ' expect: 6
'---
' Hex and Oct: negative Integers in 16 bits, Longs in 32; Null stays Null.
WScript.Echo Hex(255), Hex(-1), Hex(-32768), Hex(-32769), Hex(65536), Hex(&HFFFF)  ' expect: FF FFFF 8000 FFFF7FFF 10000 FFFF
WScript.Echo Hex(1.5), Hex(2.5), Hex(Empty), Hex("26"), IsNull(Hex(Null)), Hex(True)  ' expect: 2 2 0 1A True FFFF
WScript.Echo Oct(8), Oct(-1), Oct(64), IsNull(Oct(Null)), Oct(CByte(255))  ' expect: 10 177777 100 True 377
On Error Resume Next
x = Hex(2147483648)
WScript.Echo Err.Number                                 ' expect: 6
Err.Clear
x = Hex("x")
WScript.Echo Err.Number                                 ' expect: 13
'---
' The tests of what a value holds.
Dim undefined
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo IsEmpty(undefined), IsEmpty(""), IsEmpty(0), IsEmpty(Null)  ' expect: True False False False
WScript.Echo IsNull(Null), IsNull(Empty), IsNull(""), IsNull(Null + 1)  ' expect: True False False True
WScript.Echo IsArray(Array()), IsArray("a"), IsObject(Nothing), IsObject(d), IsObject(1)  ' expect: True False True True False
WScript.Echo IsNumeric("12"), IsNumeric(" 12 "), IsNumeric("1.5e3"), IsNumeric("&HFF"), IsNumeric("1,000"), IsNumeric("-")  ' expect: True True True True True False
WScript.Echo IsNumeric("abc"), IsNumeric(""), IsNumeric(Empty), IsNumeric(Null), IsNumeric(Now), IsNumeric(True)  ' expect: False False True False False True
WScript.Echo IsDate("2/29/2024"), IsDate("2/30/2024"), IsDate("hello"), IsDate(Now), IsDate(45000), IsDate("13:45")  ' expect: True False False True False True
WScript.Echo IsDate(Null), IsDate(Empty), IsDate("")    ' expect: False False False
'---
' TypeName and VarType of every kind.
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo TypeName(Empty), TypeName(Null), TypeName(1), TypeName(32768), TypeName(2147483648), TypeName(1.5)  ' expect: Empty Null Integer Long Double Double
WScript.Echo TypeName("a"), TypeName(True), TypeName(Now), TypeName(CCur(1)), TypeName(CByte(1)), TypeName(CSng(1))  ' expect: String Boolean Date Currency Byte Single
WScript.Echo TypeName(Array()), TypeName(Nothing), TypeName(d), TypeName(New RegExp)  ' expect: Variant() Nothing Dictionary IRegExp2
WScript.Echo VarType(Empty), VarType(Null), VarType(1), VarType(32768), VarType(1.5), VarType(CCur(1))  ' expect: 0 1 2 3 5 6
WScript.Echo VarType(Now), VarType("a"), VarType(Nothing), VarType(True), VarType(CByte(1)), VarType(CSng(1))  ' expect: 7 8 9 11 17 4
WScript.Echo VarType(Array()) = vbArray + vbVariant, vbString, vbBoolean, vbByte, vbArray  ' expect: True 8 11 17 8192
'---
' Numbers and dates as text under a locale with a decimal comma and day-month dates.
' locale: nl_NL.UTF-8
WScript.Echo CStr(2.5), CDbl("2,5") * 2, CDbl("1.500"), CDbl("1.234.567,5"), CSng("0,25")  ' expect: 2,5 5 1500 1234567,5 0,25
WScript.Echo CInt("2,5"), CInt("3,5"), CLng("-2,5"), IsNumeric("2,5"), IsNumeric("2.5")  ' expect: 2 4 -2 True False
WScript.Echo 2.5 + 1, "1,5" + 1, "1,5" & 1, CCur("1,25")  ' expect: 3,5 2,5 1,51 1,25
WScript.Echo CDate("29-2-2024"), CDate("1/2/2024"), Month(CDate("1/2/2024")), Day(CDate("1/2/2024"))  ' expect: 29-02-2024 01-02-2024 2 1
' A text that is no date in the locale's order is read in another, as Windows reads it.
WScript.Echo CStr(#2/29/2024 13:45:30#), IsDate("31-12-2024"), CDate("12-31-2024")  ' expect: 29-02-2024 13:45:30 True 31-12-2024
On Error Resume Next
x = CDbl("2.0")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = CDbl("2.5")
WScript.Echo Err.Number                                 ' expect: 13
'---
' German: a decimal comma and dates with dots.
' locale: de_DE.UTF-8
WScript.Echo CStr(0.5), CDbl("1.000,25"), CStr(DateSerial(2024, 12, 31)), CDate("31.12.2024") = DateSerial(2024, 12, 31)  ' expect: 0,5 1000,25 31.12.2024 True
'---
' Comparisons and arithmetic with texts under a decimal comma; literals compare as numbers.
' locale: nl_NL.UTF-8
x = "2,5"
WScript.Echo x * 2, x - 0.5, -x, x / 2, x \ 1, 2 ^ x = 2 ^ 2.5, "2,5" = 2.5, 2.5 = "2,5"  ' expect: 5 2 -2,5 1,25 2 True True True
WScript.Echo x > 10, x > "10", "1" & 0.5 & "2", CStr(CCur(1.5)), CStr(CSng(0.1))  ' expect: False True 10,52 1,5 0,1
For i = "0,5" To 2
  WScript.Echo i
Next
' expect: 0,5
' expect: 1,5
Select Case 1.5
  Case "1,5"
    WScript.Echo "matched as a number"                  ' expect: matched as a number
End Select
If "1,5" Then WScript.Echo "true"                       ' expect: true
WScript.Echo ("3,5" And 7), (Not "-1"), "0,5" Mod 2     ' expect: 4 0 0
Dim a(3)
a("1,4") = "one"
WScript.Echo a(1)                                       ' expect: one
'---
' SetLocale switches the script's locale by identifier or tag and gives the one it replaces.
' locale: nl_NL.UTF-8
WScript.Echo GetLocale(), CStr(1.5)                     ' expect: 1043 1,5
WScript.Echo SetLocale("en-us"), GetLocale(), CStr(1.5), CStr(CDbl("2.5"))' expect: 1043 1033 1.5 2.5
WScript.Echo SetLocale(1043), CStr(1.5)                 ' expect: 1033 1,5
WScript.Echo FormatDateTime(#3/7/2026#, vbShortDate)    ' expect: 07-03-2026
On Error Resume Next
SetLocale 99999
WScript.Echo Err.Number, GetLocale()                    ' expect: 5 1043
