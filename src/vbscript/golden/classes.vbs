' Classes: fields, methods, properties, initialization and termination, default members.
Class Counter
  Public Count
  Private step_
  Private Sub Class_Initialize
    Count = 0
    step_ = 1
  End Sub
  Public Sub Increment
    Count = Count + step_
  End Sub
  Public Property Get StepSize
    StepSize = step_
  End Property
  Public Property Let StepSize(value)
    If value <= 0 Then Err.Raise 5
    step_ = value
  End Property
  Function Twice()
    Twice = Count * 2
  End Function
End Class
Set c = New Counter
c.Increment
c.Increment
WScript.Echo c.Count, c.Twice, c.Twice()                ' expect: 2 4 4
c.StepSize = 10
c.Increment
WScript.Echo c.Count, c.StepSize                        ' expect: 12 10
WScript.Echo TypeName(c), IsObject(c), VarType(c)       ' expect: Counter True 9
Set d = c
d.Increment
WScript.Echo c.Count, c Is d                            ' expect: 22 True
Set e = New Counter
WScript.Echo e.Count, c Is e                            ' expect: 0 False
Set c = Nothing
WScript.Echo c Is Nothing, d.Count                      ' expect: True 22
On Error Resume Next
x = d.step_
WScript.Echo Err.Number                                 ' expect: 438
Err.Clear
d.StepSize = -1
WScript.Echo Err.Number, d.StepSize                     ' expect: 5 10
Err.Clear
d.NoSuchThing
WScript.Echo Err.Number                                 ' expect: 438
On Error GoTo 0
'---
' Class_Terminate runs when the last reference goes.
Class Noisy
  Public Name
  Private Sub Class_Initialize
    WScript.Echo "init"
  End Sub
  Private Sub Class_Terminate
    WScript.Echo "bye " & Name
  End Sub
End Class
Set n = New Noisy                                       ' expect: init
n.Name = "first"
Set n = Nothing                                         ' expect: bye first
Sub Scoped
  Dim local
  Set local = New Noisy                                 ' expect: init
  local.Name = "local"
End Sub
Scoped                                                  ' expect: bye local
WScript.Echo "done"                                     ' expect: done
'---
' Property Set, Me, and objects that refer to each other.
Class Node
  Public Value
  Private next_
  Public Property Set NextNode(node)
    Set next_ = node
  End Property
  Public Property Get NextNode
    Set NextNode = next_
  End Property
  Public Function Self
    Set Self = Me
  End Function
  Public Function Length
    If IsObject(next_) Then
      If Not next_ Is Nothing Then
        Length = 1 + next_.Length
        Exit Function
      End If
    End If
    Length = 1
  End Function
End Class
Set a = New Node : a.Value = "a"
Set b = New Node : b.Value = "b"
Set a.NextNode = b
Set b.NextNode = Nothing
WScript.Echo a.NextNode.Value, a.Length, a.Self Is a     ' expect: b 2 True
Set b.NextNode = a
WScript.Echo b.NextNode.NextNode.Value                   ' expect: b
'---
' A default member answers obj(...) and the object's value.
Class List
  Private items_
  Private Sub Class_Initialize
    items_ = Array("x", "y", "z")
  End Sub
  Public Default Property Get Item(i)
    Item = items_(i)
  End Property
  Public Property Get Count
    Count = UBound(items_) + 1
  End Property
End Class
Set l = New List
WScript.Echo l(1), l.Item(2), l.Count                   ' expect: y z 3
Class Named
  Public Default Function ToText
    ToText = "named"
  End Function
End Class
Set t = New Named
WScript.Echo t & "!", "value: " & t                     ' expect: named! value: named
x = t
WScript.Echo TypeName(x)                                 ' expect: String
'---
Class Holder
  Public Items(2)
  Public Dynamic()
End Class
Set h = New Holder
h.Items(1) = "one"
WScript.Echo h.Items(1), UBound(h.Items)                ' expect: one 2
WScript.Echo IsArray(h.Dynamic)                         ' expect: True
'---
Set x = New Undefined                                   ' expect error: 506
'---
Class A
  Public Default Function F : End Function
  Public Default Function G : End Function              ' expect error: 1052
End Class
'---
Class A
  Sub Class_Initialize(x) : End Sub                     ' expect error: 1053
End Class
'---
' A property's Let and Set take one argument more than its Get: the value.
Class A
  Property Get P(row, col) : P = row * col : End Property
  Property Let P(row, col, value) : End Property
  Property Set P(row, col, value) : End Property
End Class
Set a1 = New A
WScript.Echo a1.P(2, 3)                                 ' expect: 6
'---
Class A
  Property Get P(row) : End Property
  Property Let P(value) : End Property                  ' expect error: 1051 line 3
End Class
'---
Class A
  Property Set P(row, value) : End Property
  Property Get P() : End Property                       ' expect error: 1051 line 3
End Class
'---
Class A
  Public Default Name                                   ' expect error: 1056
End Class
'---
Class A
  Public Default Property Let P(value) : End Property   ' expect error: 1058
End Class
'---
Property Get Outside : End Property                     ' expect error: 1048
'---
Class Q
  Private Sub Class_Initialize
    Err.Raise 17
  End Sub
End Class
Set q = New Q                                           ' expect error: 17 line 3
'---
' Properties with arguments, Me, private helpers, Exit Property.
Class Table
  Private cells_(2)
  Public Property Get Cell(i)
    If i < 0 Then Exit Property
    Cell = cells_(i)
  End Property
  Public Property Let Cell(i, value)
    cells_(i) = Describe(value)
  End Property
  Private Function Describe(value)
    Describe = "<" & value & ">"
  End Function
  Public Sub Fill
    Me.Cell(0) = "a"
    Cell(1) = "b"
    Let Me.Cell(2) = "c"
  End Sub
  Public Function Joined
    Joined = Me.Cell(0) & Cell(1) & Cell(2) & "[" & Cell(-1) & "]"
  End Function
End Class
Set t = New Table
t.Fill
WScript.Echo t.Joined                                   ' expect: <a><b><c>[]
t.Cell(1) = "z"
WScript.Echo t.Cell(1)                                  ' expect: <z>
Function Pair
  Pair = Array("left", "right")
End Function
WScript.Echo Pair()(1)                                  ' expect: right
Let plain = "let"
WScript.Echo plain                                      ' expect: let
Stop
WScript.Echo "after stop"                               ' expect: after stop
'---
' A replaced instance ends at the statement that replaced it.
Class Ender
  Public Name
  Private Sub Class_Terminate : WScript.Echo "end " & Name : End Sub
End Class
For i = 1 To 2
  Set t = New Ender : t.Name = i
Next
Set t = Nothing
' expect: end 1
' expect: end 2
'---
' An object with a default property gives its value where a number is wanted: a subscript too.
Class ThreeBox
  Public Default Property Get Value : Value = 3 : End Property
End Class
Class Holder
  Public Items
End Class
Set three = New ThreeBox
letters = Array("a", "b", "c", "d")
Dim grid(3, 3)
grid(three, three) = "corner"
letters(three) = "D"
Set h = New Holder
h.Items = Array(0, 1, 2, 3)
h.Items(three) = 33
WScript.Echo letters(three), grid(3, 3), h.Items(3), Mid("abcdef", three), three * 2  ' expect: D corner 33 cdef 6
'---
' A Sub or Function and a property may not share a name.
Class A
  Function P : End Function
  Property Let P(v) : End Property                      ' expect error: 1041 line 4
End Class
'---
Class A
  Sub P : End Sub
  Property Get P : End Property                         ' expect error: 1041 line 3
End Class
