' Host objects: properties, methods, default members, collections, arguments by reference.
host.text = "set by the script"
WScript.Echo host.text                                  ' expect: set by the script
WScript.Echo HOST.TEXT                                  ' expect: set by the script
WScript.Echo host.add(2), host.add(2, 3)                ' expect: 2 5
host.next
host.next()
Call host.next
WScript.Echo host.count                                 ' expect: 3
WScript.Echo host                                       ' expect: value
WScript.Echo host & "!"                                 ' expect: value!
v = host
WScript.Echo v                                          ' expect: value
Set child = host.child
child.text = "child text"
WScript.Echo host.child.text                            ' expect: child text
Set host.held = child
WScript.Echo host.held Is child                         ' expect: True
host.output "first"
host.output "second"
For Each item In host
  WScript.Echo item
Next
' expect: first
' expect: second
n = 41
host.bump n
WScript.Echo n                                          ' expect: 42
host.bump (n)
WScript.Echo n                                          ' expect: 42
counts = Array(1, 2)
host.bump counts(0)
WScript.Echo counts(0)                                  ' expect: 2
Function Doubled(x)
  Doubled = x * 2
End Function
WScript.Echo host.callback("Doubled", 21)               ' expect: 42
Sub Reentered
  WScript.Echo "called back"
End Sub
host.callback "reentered"                               ' expect: called back
WScript.Echo TypeName(host), TypeName(host.child)       ' expect: TestHost TestHost
On Error Resume Next
x = host.nothingHere
WScript.Echo Err.Number                                 ' expect: 438
Err.Clear
host.count = 5
WScript.Echo Err.Number                                 ' expect: 438
Err.Clear
x = host.add()
WScript.Echo Err.Number                                 ' expect: 450
Err.Clear
x = host.add("x")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
Set o = CreateObject("No.Such.Object")
WScript.Echo Err.Number                                 ' expect: 429
Err.Clear
Set o = GetObject("winmgmts:")
WScript.Echo Err.Number                                 ' expect: 429
Err.Clear
' GetObject with a zero-length pathname makes a new object of the class named.
Set o = GetObject("", "Scripting.Dictionary")
WScript.Echo Err.Number, TypeName(o)                    ' expect: 0 Dictionary
Set o = GetObject("", "No.Such.Object")
WScript.Echo Err.Number                                 ' expect: 429
Err.Clear
Set o = GetObject(, "Scripting.Dictionary")
WScript.Echo Err.Number                                 ' expect: 429
Err.Clear
Set o = CreateObject("Scripting.FileSystemObject")
WScript.Echo Err.Number                                 ' expect: 429
Err.Clear
' CreateObject's servername: empty is this machine; a named one cannot be reached.
Set o = CreateObject("Scripting.Dictionary", "")
WScript.Echo Err.Number, TypeName(o)                    ' expect: 0 Dictionary
Set o = CreateObject("Scripting.Dictionary", "MyServer")
WScript.Echo Err.Number                                 ' expect: 462
Err.Clear
x = Nothing
WScript.Echo Err.Number                                 ' expect: 91
Err.Clear
Set o = Nothing
o.text = 1
WScript.Echo Err.Number                                 ' expect: 424
Err.Clear
Set o = 5
WScript.Echo Err.Number                                 ' expect: 424
Err.Clear
s = "text"
x = s.Length
WScript.Echo Err.Number                                 ' expect: 424
'---
' Members of named objects are not global names.
output "x"                                              ' expect error: 13
'---
' A host object's failure is the script's error.
Set t = host
t.callback "Missing"                                    ' expect error: 438
