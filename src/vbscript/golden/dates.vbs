' DateSerial: months and days outside their ranges roll over, across month and year ends and
' leap days; a year from 0 to 99 is in the 1900s.
WScript.Echo DateSerial(2024, 2, 29), DateSerial(2023, 2, 29), DateSerial(2024, 13, 1), DateSerial(2024, 0, 1)  ' expect: 2/29/2024 3/1/2023 1/1/2025 12/1/2023
WScript.Echo DateSerial(2024, 3, 0), DateSerial(2023, 3, 0), DateSerial(2024, 1, -1), DateSerial(2024, -11, 1)  ' expect: 2/29/2024 2/28/2023 12/30/2023 1/1/2023
WScript.Echo DateSerial(2024, 1, 1000), DateSerial(99, 1, 1), DateSerial(0, 12, 31), DateSerial(1900, 2, 29)  ' expect: 9/26/2026 1/1/1999 12/31/1900 3/1/1900
WScript.Echo DateSerial("2024", 2.5, 1), TypeName(DateSerial(2024, 1, 1)), CDbl(DateSerial(1899, 12, 30))  ' expect: 2/1/2024 Date 0
On Error Resume Next
x = DateSerial(10000, 1, 1)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = DateSerial(2024, 40000, 1)
WScript.Echo Err.Number                                 ' expect: 6
Err.Clear
x = DateSerial(Null, 1, 1)
WScript.Echo Err.Number                                 ' expect: 94
'---
' DateAdd with every interval: months keep the day where the month has it, else its last day.
WScript.Echo DateAdd("m", 1, #1/31/2024#), DateAdd("m", 1, #1/31/2023#), DateAdd("m", -1, #3/31/2024#), DateAdd("m", 1.5, #1/15/2024#)  ' expect: 2/29/2024 2/28/2023 2/29/2024 3/15/2024
WScript.Echo DateAdd("yyyy", 1, #2/29/2024#), DateAdd("yyyy", 4, #2/29/2024#), DateAdd("q", 1, #11/30/2024#), DateAdd("q", -4, #2/29/2024#)  ' expect: 2/28/2025 2/29/2028 2/28/2025 2/28/2023
WScript.Echo DateAdd("d", 1, #12/31/2024#), DateAdd("y", 1, #2/28/2024#), DateAdd("w", 1, #2/28/2023#), DateAdd("ww", 1, #12/28/2024#)  ' expect: 1/1/2025 2/29/2024 3/1/2023 1/4/2025
WScript.Echo DateAdd("h", 25, #12/31/2024 11:00:00 PM#), DateAdd("n", -1, #1/1/2025#), DateAdd("s", 86400, #2/28/2023#)  ' expect: 1/2/2025 12/31/2024 11:59:00 PM 3/1/2023
WScript.Echo DateAdd("s", 1, #12/31/2024 11:59:59 PM#), DateAdd("h", 1, #2/28/2024 11:30:00 PM#), DateAdd("D", 1, "1/31/2024")  ' expect: 1/1/2025 2/29/2024 12:30:00 AM 2/1/2024
WScript.Echo DateAdd("d", -1, #12/30/1899#), CDbl(DateAdd("h", 12, #12/29/1899#)), DateAdd("h", -36, #12/31/1899#)  ' expect: 12/29/1899 -1.5 12/29/1899 12:00:00 PM
WScript.Echo IsNull(DateAdd("d", 1, Null)), DateAdd("m", 0, #1/31/2024 6:00:00 AM#)  ' expect: True 1/31/2024 6:00:00 AM
On Error Resume Next
x = DateAdd("x", 1, Now)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = DateAdd("yyyy", -2000, #1/1/2024#)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = DateAdd("d", 1, "no date")
WScript.Echo Err.Number                                 ' expect: 13
'---
' DateDiff with every interval counts the boundaries between the dates.
WScript.Echo DateDiff("yyyy", #12/31/2024#, #1/1/2025#), DateDiff("q", #12/31/2024#, #1/1/2025#), DateDiff("q", #1/1/2024#, #3/31/2024#)  ' expect: 1 1 0
WScript.Echo DateDiff("m", #1/31/2024#, #2/1/2024#), DateDiff("m", "1/15/2024", "3/1/2024"), DateDiff("m", #3/1/2024#, #1/31/2024#)  ' expect: 1 2 -2
WScript.Echo DateDiff("d", #2/28/2024#, #3/1/2024#), DateDiff("d", #2/28/2023#, #3/1/2023#), DateDiff("y", #12/31/2023#, #12/31/2024#)  ' expect: 2 1 366
WScript.Echo DateDiff("d", #1/2/2024#, #1/1/2024#), DateDiff("d", #1/1/2024 11:00:00 PM#, #1/2/2024 1:00:00 AM#)  ' expect: -1 1
WScript.Echo DateDiff("w", #1/1/2024#, #1/14/2024#), DateDiff("w", #1/1/2024#, #1/15/2024#), DateDiff("w", #1/15/2024#, #1/1/2024#)  ' expect: 1 2 -2
WScript.Echo DateDiff("ww", #1/1/2024#, #1/7/2024#), DateDiff("ww", #1/7/2024#, #1/13/2024#), DateDiff("ww", #1/7/2024#, #1/14/2024#)  ' expect: 1 0 1
WScript.Echo DateDiff("ww", #1/7/2024#, #1/8/2024#, vbMonday), DateDiff("ww", #1/14/2024#, #1/1/2024#)  ' expect: 1 -2
WScript.Echo DateDiff("h", #1/1/2024 10:59:59 AM#, #1/1/2024 11:00:00 AM#), DateDiff("n", #1/1/2024 10:59:59 AM#, #1/1/2024 11:00:00 AM#)  ' expect: 1 1
WScript.Echo DateDiff("s", #12/31/2024 11:59:59 PM#, #1/1/2025#), DateDiff("h", #12/29/1899 11:00:00 PM#, #12/30/1899 1:00:00 AM#)  ' expect: 1 2
WScript.Echo DateDiff("yyyy", #1/1/2024#, #12/31/2024#), DateDiff("s", #1/1/2024#, #1/2/2024#), TypeName(DateDiff("d", Now, Now))  ' expect: 0 86400 Long
WScript.Echo IsNull(DateDiff("d", Null, Now)), IsNull(DateDiff("d", Now, Null))  ' expect: True True
On Error Resume Next
x = DateDiff("z", Now, Now)
WScript.Echo Err.Number                                 ' expect: 5
'---
' DatePart, Weekday with a first day, and the parts of a date.
d = #12/31/2024 1:45:30 PM#
WScript.Echo DatePart("yyyy", d), DatePart("q", d), DatePart("m", d), DatePart("y", d), DatePart("d", d)  ' expect: 2024 4 12 366 31
WScript.Echo DatePart("w", d), DatePart("w", d, vbMonday), DatePart("ww", d), DatePart("h", d), DatePart("n", d), DatePart("s", d)  ' expect: 3 2 53 13 45 30
WScript.Echo DatePart("q", #3/31/2024#), DatePart("q", #4/1/2024#), DatePart("y", #3/1/2023#), DatePart("y", #3/1/2024#)  ' expect: 1 2 60 61
WScript.Echo DatePart("ww", #12/31/2000#), DatePart("ww", #1/1/2000#), DatePart("ww", #1/2/2000#)  ' expect: 54 1 2
' Weeks by the four-day rule go across the year end, both ways.
WScript.Echo DatePart("ww", #12/31/2024#, vbMonday, vbFirstFourDays), DatePart("ww", #12/29/2024#, vbMonday, vbFirstFourDays)  ' expect: 1 52
WScript.Echo DatePart("ww", #1/1/2021#, vbMonday, vbFirstFourDays), DatePart("ww", #1/4/2021#, vbMonday, vbFirstFourDays)  ' expect: 53 1
WScript.Echo DatePart("ww", #1/1/2022#, vbSunday, vbFirstFullWeek), DatePart("ww", #1/2/2022#, vbSunday, vbFirstFullWeek)  ' expect: 52 1
WScript.Echo IsNull(DatePart("d", Null)), DatePart("YYYY", "2/29/2024")  ' expect: True 2024
WScript.Echo Weekday(#1/1/2024#), Weekday(#1/1/2024#, vbMonday), Weekday(#1/1/2024#, vbSaturday), Weekday(#1/1/2024#, 0)  ' expect: 2 1 3 2
WScript.Echo Weekday(#2/29/2024#), Weekday(#1/7/2024#), Weekday(#1/7/2024#, vbMonday), IsNull(Weekday(Null))  ' expect: 5 1 7 True
WScript.Echo WeekdayName(1), WeekdayName(1, True), WeekdayName(1, False, vbMonday), WeekdayName(7, True, vbMonday)  ' expect: Sunday Sun Monday Sun
WScript.Echo MonthName(2), MonthName(2, True), MonthName(12)  ' expect: February Feb December
t = #2/29/2024 1:45:30 PM#
WScript.Echo Year(t), Month(t), Day(t), Hour(t), Minute(t), Second(t)  ' expect: 2024 2 29 13 45 30
WScript.Echo Hour("13:05"), Hour(0.5), Minute(0.5), Day(1), Year("2/29/2024"), IsNull(Year(Null))  ' expect: 13 12 0 31 2024 True
WScript.Echo TypeName(Year(t)), TypeName(Weekday(t))    ' expect: Integer Integer
On Error Resume Next
x = Weekday(#1/1/2024#, 8)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = WeekdayName(8)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = WeekdayName(0)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = MonthName(13)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = MonthName(0)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = DatePart("x", t)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = Year("abc")
WScript.Echo Err.Number                                 ' expect: 13
'---
' TimeSerial, DateValue and TimeValue.
WScript.Echo TimeSerial(12, 30, 0), TimeSerial(0, 90, 0), TimeSerial(12, -1, 0), TimeSerial(0, 0, 59)  ' expect: 12:30:00 PM 1:30:00 AM 11:59:00 AM 12:00:59 AM
WScript.Echo DateSerial(2024, 1, 1) + TimeSerial(1, 2, 3), TypeName(TimeSerial(1, 0, 0))  ' expect: 1/1/2024 1:02:03 AM Date
WScript.Echo DateValue("2/29/2024 1:45 PM"), TimeValue("2/29/2024 1:45 PM"), TimeValue("13:45:10"), DateValue(#2/29/2024 11:00:00 PM#)  ' expect: 2/29/2024 1:45:00 PM 1:45:10 PM 2/29/2024
WScript.Echo IsNull(DateValue(Null)), IsNull(TimeValue(Null))  ' expect: True True
On Error Resume Next
x = DateValue("2/30/2024")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = TimeValue("25:00")
WScript.Echo Err.Number                                 ' expect: 13
'---
' The clock: Date, Time, Now and Timer; a date without a year falls in the clock's year.
' clock: 2024-02-29 23:59:58
WScript.Echo Date, Time, Now                            ' expect: 2/29/2024 11:59:58 PM 2/29/2024 11:59:58 PM
WScript.Echo Timer, TypeName(Timer), TypeName(Date), TypeName(Now)  ' expect: 86398 Single Date Date
WScript.Echo DateAdd("s", 2, Now), Year(Now), Weekday(Date), Date + 1, DateDiff("d", Date, #1/1/2025#)  ' expect: 3/1/2024 2024 5 3/1/2024 307
WScript.Echo DateValue("3/1"), CDate("Dec 25"), IsDate("2/29")  ' expect: 3/1/2024 12/25/2024 True
'---
' clock: 2023-06-15 08:05:00
WScript.Echo DateValue("2/28"), Hour(Now), Minute(Time)  ' expect: 2/28/2023 8 5
'---
' Dates in a Dutch locale: day before month, Dutch names.
' locale: nl_NL.UTF-8
WScript.Echo MonthName(3), MonthName(3, True), WeekdayName(1), WeekdayName(2, True)  ' expect: maart mrt zondag ma
WScript.Echo DateSerial(2024, 12, 31), CDate("31-12-2024 13:45"), DateAdd("m", 1, "31-1-2024")  ' expect: 31-12-2024 31-12-2024 13:45:00 29-02-2024
WScript.Echo DateDiff("d", "28-2-2024", "1-3-2024"), Day("1-2-2024"), Month("1-2-2024"), IsDate("29-2-2023"), IsDate("29-2-2024")  ' expect: 2 1 2 False True
WScript.Echo TimeSerial(13, 5, 0), DateValue("29 februari 2024")  ' expect: 13:05:00 29-02-2024
'---
' Empty is the date 0, 30 December 1899, a Saturday at midnight.
WScript.Echo Year(Empty), Month(Empty), Day(Empty), Weekday(Empty), Hour(Empty), CDate(Empty)  ' expect: 1899 12 30 7 0 12:00:00 AM
WScript.Echo DateAdd("d", 1, Empty), DateDiff("d", Empty, #1/1/1900#), DatePart("yyyy", Empty), FormatDateTime(Empty, vbShortDate)  ' expect: 12/31/1899 2 1899 12/30/1899
On Error Resume Next
x = MonthName(Empty)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = WeekdayName(Null)
WScript.Echo Err.Number                                 ' expect: 94
