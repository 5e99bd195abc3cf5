' RegExp: Test, Execute and its matches, Global, IgnoreCase, Multiline, SubMatches.
Set re = New RegExp
WScript.Echo re.Pattern = "", re.Global, re.IgnoreCase, re.Multiline  ' expect: True False False False
re.Pattern = "\d+"
WScript.Echo re.Test("abc123"), re.Test("abc")          ' expect: True False
Set matches = re.Execute("a1 b22 c333")
WScript.Echo matches.Count, matches(0), matches(0).FirstIndex, matches(0).Length  ' expect: 1 1 1 1
re.Global = True
Set matches = re.Execute("a1 b22 c333")
WScript.Echo matches.Count, matches.Item(2).Value, matches(2).FirstIndex, matches(2).Length  ' expect: 3 333 8 3
For Each m In matches
  WScript.Echo m.Value & "@" & m.FirstIndex
Next
' expect: 1@1
' expect: 22@4
' expect: 333@8
WScript.Echo re.Execute("none").Count, TypeName(matches), TypeName(matches(0))  ' expect: 0 IMatchCollection2 IMatch2
re.Pattern = "hello"
WScript.Echo re.Test("Say HELLO"), re.Execute("Hello hello").Count  ' expect: False 1
re.IgnoreCase = True
WScript.Echo re.Test("Say HELLO"), re.Execute("Hello hello").Count  ' expect: True 2
'---
' Multiline: ^ and $ at every line, not only at the ends of the text.
Set re = New RegExp
re.Global = True
re.Pattern = "^\w+"
text = "one two" & vbLf & "three four" & vbCrLf & "five"
WScript.Echo re.Execute(text).Count                     ' expect: 1
re.Multiline = True
Set matches = re.Execute(text)
WScript.Echo matches.Count, matches(1), matches(2), matches(2).FirstIndex  ' expect: 3 three five 20
re.Pattern = "\w+$"
WScript.Echo re.Execute(text).Count, re.Execute(text)(0)  ' expect: 3 two
re.Multiline = False
WScript.Echo re.Execute(text).Count, re.Execute(text)(0)  ' expect: 1 five
re.Pattern = "a.b"
WScript.Echo re.Test("a" & vbLf & "b"), re.Test("a" & vbCr & "b"), re.Test("a-b")  ' expect: False True True
' With Multiline, ^ and $ match next to a carriage return too.
re.Multiline = True
re.Pattern = "^b$"
WScript.Echo re.Test("a" & vbCr & "b" & vbCr & "c"), re.Test("a" & vbCrLf & "b" & vbCrLf), re.Test("ab")  ' expect: True True False
'---
' SubMatches: one per group, Empty for a group that took no part.
Set re = New RegExp
re.Pattern = "(\w+)@(\w+)\.com(/(\d+))?"
Set m = re.Execute("mail ann@example.com today")(0)
WScript.Echo m.SubMatches.Count, m.SubMatches(0), m.SubMatches(1), IsEmpty(m.SubMatches(2)), IsEmpty(m.SubMatches(3))  ' expect: 4 ann example True True
WScript.Echo m.SubMatches.Item(1), TypeName(m.SubMatches)  ' expect: example ISubMatches
Set m = re.Execute("bob@web.com/42")(0)
For Each s In m.SubMatches
  WScript.Echo s
Next
' expect: bob
' expect: web
' expect: /42
' expect: 42
re.Pattern = "(a)|(b)"
Set m = re.Execute("b")(0)
WScript.Echo IsEmpty(m.SubMatches(0)), m.SubMatches(1)  ' expect: True b
re.Pattern = "x"
WScript.Echo re.Execute("x")(0).SubMatches.Count        ' expect: 0
On Error Resume Next
x = m.SubMatches(5)
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
x = re.Execute("y")(0)
WScript.Echo Err.Number                                 ' expect: 5
'---
' Replace: the first match, or every one with Global; $1, $&, $`, $' and $$.
Set re = New RegExp
re.Pattern = "(\w+) (\w+)"
WScript.Echo re.Replace("John Smith", "$2, $1")         ' expect: Smith, John
re.Pattern = "b"
WScript.Echo re.Replace("abcb", "[$&]"), re.Replace("abc", "[$`]"), re.Replace("abc", "[$']"), re.Replace("abc", "[$$]")  ' expect: a[b]cb a[a]c a[c]c a[$]c
WScript.Echo re.Replace("abc", "$"), re.Replace("abc", "$x"), re.Replace("abc", "$1"), re.Replace("xyz", "-")  ' expect: a$c a$xc a$1c xyz
re.Global = True
WScript.Echo re.Replace("abcb", "[$&]"), "[" & re.Replace("bbb", "") & "]", re.Replace("abcb", "$`")  ' expect: a[b]c[b] [] aacabc
re.Pattern = "(\d)(\d)?"
WScript.Echo re.Replace("1 23", "<$2$1>")               ' expect: <1> <32>
re.Pattern = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)"
WScript.Echo re.Replace("abcdefghijk", "$11$10$1")      ' expect: kja
re.Pattern = "\s+"
WScript.Echo "[" & re.Replace("  a   b  ", " ") & "]"   ' expect: [ a b ]
re.Pattern = "<[^>]+>"
WScript.Echo re.Replace("<p>Hello <b>world</b></p>", "")  ' expect: Hello world
re.Pattern = "X"
re.IgnoreCase = True
WScript.Echo re.Replace("axbX", "-")                    ' expect: a-b-
'---
' A bad pattern fails when the expression is used, with the error that names its fault.
Set re = New RegExp
re.Pattern = "("
On Error Resume Next
x = re.Test("x")
WScript.Echo Err.Number, Err.Description                ' expect: 5020 Expected ')' in regular expression
Err.Clear
Set m = re.Execute("x")
WScript.Echo Err.Number                                 ' expect: 5020
Err.Clear
x = re.Replace("x", "y")
WScript.Echo Err.Number                                 ' expect: 5020
Err.Clear
re.Pattern = "[a-"
x = re.Test("x")
WScript.Echo Err.Number, Err.Description                ' expect: 5019 Expected ']' in regular expression
Err.Clear
re.Pattern = "a{2,1}"
x = re.Test("x")
WScript.Echo Err.Number, Err.Description                ' expect: 5018 Unexpected quantifier
Err.Clear
re.Pattern = "[z-a]"
x = re.Test("x")
WScript.Echo Err.Number, Err.Description                ' expect: 5021 Invalid range in character set
Err.Clear
re.Pattern = "a)"
x = re.Test("x")
WScript.Echo Err.Number, Err.Description                ' expect: 5017 Syntax error in regular expression
Err.Clear
re.Pattern = "a+"
WScript.Echo re.Test("caat"), Err.Number                ' expect: True 0
'---
Set re = New RegExp
re.Pattern = "*"
x = re.Test("x")                                        ' expect error: 5018 line 3
'---
' Patterns as the VBScript engine reads them: classes, escapes, lazy quantifiers, lookahead.
Set re = New RegExp
re.Global = True
re.Pattern = "\bcat\b"
WScript.Echo re.Execute("cat concat cat.").Count        ' expect: 2
re.Pattern = "<.+?>"
WScript.Echo re.Execute("<a><b>").Count, re.Execute("<a><b>")(0)  ' expect: 2 <a>
re.Pattern = "\d+(?= euro)"
WScript.Echo re.Execute("5 dollar 12 euro")(0)          ' expect: 12
re.Pattern = "[^\x00-\x7F]"
WScript.Echo re.Replace("caf" & ChrW(233) & " na" & ChrW(239) & "ve", "?")  ' expect: caf? na?ve
re.Pattern = "\u20AC(\d+)"
WScript.Echo re.Execute("price " & ChrW(8364) & "42")(0).SubMatches(0)  ' expect: 42
re.Pattern = "^$"
re.Multiline = True
WScript.Echo re.Execute("a" & vbLf & vbLf & "b").Count  ' expect: 1
re.Pattern = ""
WScript.Echo re.Test(""), re.Execute("ab").Count        ' expect: True 3
