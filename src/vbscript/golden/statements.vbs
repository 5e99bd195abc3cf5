' Statements: If, Select Case, the loops, Exit, With.
x = 5
If x > 3 Then
  WScript.Echo "big"                                    ' expect: big
ElseIf x > 1 Then
  WScript.Echo "medium"
Else
  WScript.Echo "small"
End If
If x < 3 Then WScript.Echo "no" Else WScript.Echo "one-line else"   ' expect: one-line else
If x = 5 Then WScript.Echo "a" : WScript.Echo "b"       ' expect: a
' expect: b
If x = 6 Then WScript.Echo "c" : WScript.Echo "d"
If x = 5 Then
ElseIf x = 6 Then
End If
If x = 1 Then
  y = 1
ElseIf x = 5 Then y = 5
End If
WScript.Echo y                                          ' expect: 5
If Null Then WScript.Echo "null is true" Else WScript.Echo "null is false"  ' expect: null is false
If "True" Then WScript.Echo "text true"                 ' expect: text true
For Each v In Array(1, 5, 7, 12, "x", 42)
  Select Case v
    Case 1, 2
      WScript.Echo v & ": one or two"
    Case 2 + 2, Len("abcde")
      WScript.Echo v & ": four or five"
    Case "x"
      WScript.Echo v & ": ex"
    Case 7: WScript.Echo v & ": seven"
    Case Else
      WScript.Echo v & ": else"
  End Select
Next
' expect: 1: one or two
' expect: 5: four or five
' expect: 7: seven
' expect: 12: else
' expect: x: ex
' expect: 42: else
Select Case "b"
  Case "A", "B"
    WScript.Echo "texts compare binary"
  Case "b"
    WScript.Echo "exact text"                           ' expect: exact text
End Select
Select Case Null
  Case Null
    WScript.Echo "Null never matches"
  Case Else
    WScript.Echo "else"                                 ' expect: else
End Select
s = ""
For i = 1 To 10 Step 3
  s = s & i & " "
Next
WScript.Echo s, i                                       ' expect: 1 4 7 10  13
s = ""
For i = 3 To 1 Step -1
  s = s & i
Next
WScript.Echo s                                          ' expect: 321
For i = 1 To 0
  WScript.Echo "never"
Next
WScript.Echo i                                          ' expect: 1
s = ""
For i = 0.5 To 2 Step 0.5
  s = s & i & ";"
Next
WScript.Echo s                                          ' expect: 0.5;1;1.5;2;
s = ""
For i = 1 To 10
  If i = 3 Then i = 8
  s = s & i
Next
WScript.Echo s                                          ' expect: 128910
For i = 1 To 10
  If i = 4 Then Exit For
Next
WScript.Echo i                                          ' expect: 4
WScript.Echo TypeName(i)                                ' expect: Integer
For big = 1 To 40000 Step 39999
Next
WScript.Echo TypeName(big)                              ' expect: Long
n = 0
Do While n < 3
  n = n + 1
Loop
WScript.Echo n                                          ' expect: 3
Do Until n = 0
  n = n - 1
Loop
WScript.Echo n                                          ' expect: 0
Do
  n = n + 1
Loop While n < 5
WScript.Echo n                                          ' expect: 5
Do
  n = n + 1
Loop Until True
WScript.Echo n                                          ' expect: 6
Do
  n = n + 1
  If n = 10 Then Exit Do
Loop
WScript.Echo n                                          ' expect: 10
While n > 7
  n = n - 1
Wend
WScript.Echo n                                          ' expect: 7
For i = 1 To 3
  Do
    Exit Do
  Loop
  If i = 2 Then Exit For
Next
WScript.Echo i                                          ' expect: 2
With host
  .text = "with text"
  WScript.Echo .text, Len(.text)                        ' expect: with text 9
  With .child
    .text = "child"
  End With
  WScript.Echo .child.text                              ' expect: child
End With
Sub EarlyOut(n)
  If n > 0 Then Exit Sub
  WScript.Echo "zero"
End Sub
EarlyOut 1
EarlyOut 0                                              ' expect: zero
Function Sign(n)
  Sign = 0
  If n > 0 Then Sign = 1 : Exit Function
  If n < 0 Then Sign = -1
End Function
WScript.Echo Sign(5), Sign(-5), Sign(0)                 ' expect: 1 -1 0
'---
Exit Do                                                 ' expect error: 1039
'---
Function F
  Exit Sub
End Function                                            ' expect error: 1039
'---
If x Then
  y = 1                                                 ' expect error: 1014
'---
For i = 1 To 2
  x = i                                                 ' expect error: 1020
'---
Do
  x = 1
Wend                                                    ' expect error: 1019
'---
x = 1
Loop                                                    ' expect error: 1038
'---
Select Case 1
  Case 1
End If                                                  ' expect error: 1022
'---
If x Then x = 1 End If                                  ' expect error: 1025
'---
x = 1 +                                                 ' expect error: 1023
'---
WScript.Echo .text                                      ' expect error: 505
'---
Select Case Null
  Case 1: WScript.Echo "one"
  Case Else: WScript.Echo "else for null"
End Select                                              ' expect: else for null
For i = 1 To 3
  With host
    If i = 2 Then Exit For
  End With
Next
WScript.Echo i                                          ' expect: 2
n = 0
Do While True
  n = n + 1
  Select Case n
    Case 3: Exit Do
  End Select
Loop
WScript.Echo n                                          ' expect: 3
'---
' Case takes a list of expressions; VB's ranges are not VBScript.
Select Case 5
  Case 1 To 6                                           ' expect error: 1025 line 3
End Select
'---
Select Case 5
  Case Is > 3                                           ' expect error: 1023 line 2
End Select
