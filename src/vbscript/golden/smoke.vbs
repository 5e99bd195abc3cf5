' A first look: output, arithmetic, a procedure.
WScript.Echo "hello"          ' expect: hello
WScript.Echo 1 + 2            ' expect: 3
Dim x
x = 5
WScript.Echo x * 2            ' expect: 10
Function Twice(n)
  Twice = n * 2
End Function
WScript.Echo Twice(21)        ' expect: 42
