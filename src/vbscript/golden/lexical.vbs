' Lexical structure: case, comments, continuation, separators, literals.
dim Value : VALUE = 7 : wscript.echo value       ' expect: 7
WScript.Echo "one" : WScript.Echo "two"          ' expect: one
' expect: two
Rem a whole line of remarks
WScript.Echo "after rem" : REM and one after a colon
' expect: after rem
WScript.Echo 1 + _
  2 + _
  3                                             ' expect: 6
WScript.Echo "say ""hi"""                       ' expect: say "hi"
WScript.Echo Len("")                            ' expect: 0
WScript.Echo "a'b"                              ' expect: a'b
WScript.Echo &HFF, &hff&, &HFFFF, &H10000       ' expect: 255 255 -1 65536
WScript.Echo TypeName(&HFFFF), TypeName(&HFFFF&)  ' expect: Integer Long
WScript.Echo &O17, &o777                        ' expect: 15 511
WScript.Echo TypeName(32767), TypeName(32768)   ' expect: Integer Long
WScript.Echo TypeName(2147483647), TypeName(2147483648)  ' expect: Long Double
WScript.Echo 1.5E3, .25, 2.5e-1                 ' expect: 1500 0.25 0.25
WScript.Echo TypeName(1.0), TypeName(1e2)       ' expect: Double Double
WScript.Echo TypeName(#1/2/2003#)               ' expect: Date
WScript.Echo CDbl(#1/2/2003#)                   ' expect: 37623
WScript.Echo CDbl(#2003-01-02#), CDbl(#January 2, 2003#)  ' expect: 37623 37623
WScript.Echo CDbl(#12/30/1899 6:00 PM#)         ' expect: 0.75
WScript.Echo CDbl(#12:00:00#)                   ' expect: 0.5
Dim [my variable]
[my variable] = "bracketed"
WScript.Echo [MY VARIABLE]                      ' expect: bracketed
WScript.Echo "tab" & vbTab & "end"              ' expect: tab	end
'---
' A line may end with CR, LF or CR LF: this program's lines end with LF only.
x = 1
y = 2
WScript.Echo x + y                              ' expect: 3
'---
' A character that begins no token.
x = 1 $ 2                                       ' expect error: 1032 line 2
'---
WScript.Echo "no end                            ' expect error: 1033
'---
WScript.Echo #13/45/2003#                       ' expect error: 1002
'---
x = 1 2                                         ' expect error: 1025 line 1
'---
WScript.Echo CDbl(#1/1/2000 12:00:00 PM#)               ' expect: 36526.5
x = Array(1, _
          2, _
          3)
WScript.Echo UBound(x)                                  ' expect: 2
'---
' A number may start with its decimal point, after a name and a space too.
x = .5
WScript.Echo .25, x + .5, 2*.5                          ' expect: 0.25 1 1
