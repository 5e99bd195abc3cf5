' FormatNumber, FormatCurrency and FormatPercent: digits, leading zero, parentheses, grouping.
WScript.Echo FormatNumber(1234.567), FormatNumber(1234.567, 1), FormatNumber(1234.567, 0), FormatNumber(0.5, 3)  ' expect: 1,234.57 1,234.6 1,235 0.500
WScript.Echo FormatNumber(-1234.5, 2, , vbTrue), FormatNumber(-1234.5, 2, , vbFalse), FormatNumber(0.25, 2, vbFalse)  ' expect: (1,234.50) -1,234.50 .25
WScript.Echo FormatNumber(1234.5, 2, , , vbFalse), FormatNumber(1234567, 0, , , vbTrue), FormatNumber("12.5"), FormatNumber(2.675, 2)  ' expect: 1234.50 1,234,567 12.50 2.68
WScript.Echo FormatNumber(-0.001, 2), FormatNumber(True), FormatNumber(Empty), FormatNumber(1E+15, 0)  ' expect: 0.00 -1.00 0.00 1,000,000,000,000,000
WScript.Echo FormatNumber(0.5, 0), FormatNumber(1.5, 0), FormatNumber(2.5, 0), FormatNumber(-2.5, 0)  ' expect: 1 2 3 -3
WScript.Echo FormatCurrency(1234.5), FormatCurrency(1234.5, 0), FormatCurrency(0.5, , vbFalse), FormatCurrency(-5, , , vbTrue)  ' expect: $1,234.50 $1,235 $.50 ($5.00)
WScript.Echo FormatPercent(0.256), FormatPercent(0.256, 0), FormatPercent(1), FormatPercent(-0.5, 1, , vbTrue), FormatPercent(12.345, 1, , , vbFalse)  ' expect: 25.60% 26% 100.00% (50.0%) 1234.5%
On Error Resume Next
x = FormatNumber("abc")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = FormatNumber(1, -2)
WScript.Echo Err.Number                                 ' expect: 5
'---
' FormatDateTime with each named format.
t = #2/29/2024 1:45:30 PM#
WScript.Echo FormatDateTime(t), FormatDateTime(t, vbGeneralDate)  ' expect: 2/29/2024 1:45:30 PM 2/29/2024 1:45:30 PM
WScript.Echo FormatDateTime(t, vbLongDate), FormatDateTime(t, vbShortDate)  ' expect: Thursday, February 29, 2024 2/29/2024
WScript.Echo FormatDateTime(t, vbLongTime), FormatDateTime(t, vbShortTime), FormatDateTime(#9:05:00 AM#, vbShortTime)  ' expect: 1:45:30 PM 13:45 09:05
WScript.Echo FormatDateTime(#2/29/2024#), FormatDateTime(#1:00:00 PM#), FormatDateTime("12/31/2024", vbLongDate)  ' expect: 2/29/2024 1:00:00 PM Tuesday, December 31, 2024
On Error Resume Next
x = FormatDateTime(t, 5)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = FormatDateTime("no date")
WScript.Echo Err.Number                                 ' expect: 13
'---
' The same in Dutch: a decimal comma, points between groups, the euro in front.
' locale: nl_NL.UTF-8
WScript.Echo FormatNumber(1234.5), FormatNumber(0.25, 2, vbFalse), FormatPercent(0.125, 1), FormatNumber("1.234,5", 1)  ' expect: 1.234,50 ,25 12,5% 1.234,5
WScript.Echo FormatCurrency(1234.5)                     ' expect: € 1.234,50
WScript.Echo FormatDateTime(#2/29/2024 1:45:30 PM#, vbLongDate), FormatDateTime(#2/29/2024 1:45:30 PM#)  ' expect: donderdag 29 februari 2024 29-02-2024 13:45:30
