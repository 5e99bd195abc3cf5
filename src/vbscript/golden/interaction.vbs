'' MsgBox and InputBox: the title "Juvo" when the script gives none; the button taken. The
' answers below go to the boxes in order.
' answer: 1
' answer: 1
' answer: 7
' answer: 6
' answer: 2
MsgBox "Hello"                                          ' expect: [box Juvo] Hello (vbOKOnly)
WScript.Echo MsgBox("Again")                            ' expect: [box Juvo] Again (vbOKOnly)
                                                        ' expect: 1
r = MsgBox("Go on?", vbYesNo + vbQuestion, "Ask")       ' expect: [box Ask] Go on? (vbYesNo vbQuestion)
WScript.Echo r = vbNo, r                                ' expect: True 7
WScript.Echo MsgBox("Sure?", vbYesNoCancel)             ' expect: [box Juvo] Sure? (vbYesNoCancel)
                                                        ' expect: 6
WScript.Echo MsgBox("Stop", vbOKCancel + vbCritical + vbDefaultButton2, "") = vbCancel  ' expect: [box ] Stop (vbOKCancel vbCritical)
                                                        ' expect: True
MsgBox "Careful", vbExclamation + vbAbortRetryIgnore    ' expect: [box Juvo] Careful (vbAbortRetryIgnore vbExclamation)
MsgBox "Note", vbInformation + vbRetryCancel + vbSystemModal, "Info"  ' expect: [box Info] Note (vbRetryCancel vbInformation)
MsgBox 2.5, , 42                                        ' expect: [box 42] 2.5 (vbOKOnly)
MsgBox "Help", 0, "T", "help.chm", 7                    ' expect: [box T] Help (vbOKOnly)
'---
On Error Resume Next
MsgBox "x", 6
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
MsgBox "x", -1
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
MsgBox Null
WScript.Echo Err.Number                                 ' expect: 94
'---
' InputBox: the text typed, or "" when the user cancels.
' input: Ann
WScript.Echo "[" & InputBox("Name?") & "]"              ' expect: [input Juvo] Name? ()
                                                        ' expect: [Ann]
WScript.Echo "[" & InputBox("Name?", "Who", "Bob") & "]"  ' expect: [input Who] Name? (Bob)
                                                        ' expect: []
' input:
x = InputBox("Empty?", , 5)                             ' expect: [input Juvo] Empty? (5)
WScript.Echo TypeName(x), Len(x)                        ' expect: String 0
'---
' locale: nl_NL.UTF-8
MsgBox 2.5, , 0.5                                       ' expect: [box 0,5] 2,5 (vbOKOnly)
'---
' RGB and the script engine's name and version.
WScript.Echo RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(300, 1, 1), RGB(1.5, 0, 0)  ' expect: 255 65280 16711680 66047 2
WScript.Echo RGB(255, 255, 255) = vbWhite, vbRed, vbBlue, TypeName(RGB(0, 0, 0))  ' expect: True 255 16711680 Long
WScript.Echo ScriptEngine, ScriptEngineMajorVersion, ScriptEngineMinorVersion, ScriptEngineBuildVersion > 0  ' expect: VBScript 5 8 True
On Error Resume Next
x = RGB(-1, 0, 0)
WScript.Echo Err.Number                                 ' expect: 5
'---
' The vb... constants.
WScript.Echo vbCrLf = Chr(13) & Chr(10), vbNewLine = vbCrLf, vbCr = Chr(13), vbLf = Chr(10), vbTab = Chr(9)  ' expect: True True True True True
WScript.Echo vbNullChar = Chr(0), Len(vbNullString), vbFormFeed = Chr(12), vbVerticalTab = Chr(11)  ' expect: True 0 True True
WScript.Echo vbObjectError, vbTrue, vbFalse, vbUseDefault, vbBinaryCompare, vbTextCompare  ' expect: -2147221504 -1 0 -2 0 1
WScript.Echo vbSunday, vbMonday, vbSaturday, vbUseSystemDayOfWeek, vbFirstJan1, vbFirstFourDays, vbFirstFullWeek, vbUseSystem  ' expect: 1 2 7 0 1 2 3 0
WScript.Echo vbGeneralDate, vbLongDate, vbShortDate, vbLongTime, vbShortTime  ' expect: 0 1 2 3 4
WScript.Echo vbOKOnly, vbOKCancel, vbAbortRetryIgnore, vbYesNoCancel, vbYesNo, vbRetryCancel  ' expect: 0 1 2 3 4 5
WScript.Echo vbCritical, vbQuestion, vbExclamation, vbInformation, vbDefaultButton1, vbDefaultButton2, vbDefaultButton3, vbDefaultButton4  ' expect: 16 32 48 64 0 256 512 768
WScript.Echo vbApplicationModal, vbSystemModal, vbOK, vbCancel, vbAbort, vbRetry, vbIgnore, vbYes, vbNo  ' expect: 0 4096 1 2 3 4 5 6 7
WScript.Echo vbEmpty, vbNull, vbInteger, vbLong, vbSingle, vbDouble, vbCurrency, vbDate, vbString, vbObject  ' expect: 0 1 2 3 4 5 6 7 8 9
WScript.Echo vbError, vbBoolean, vbVariant, vbDataObject, vbDecimal, vbByte, vbArray  ' expect: 10 11 12 13 14 17 8192
WScript.Echo vbBlack, vbGreen, vbYellow, vbMagenta, vbCyan, vbWhite  ' expect: 0 65280 65535 16711935 16776960 16777215
WScript.Echo TypeName(vbCrLf), TypeName(vbObjectError)  ' expect: String Long
