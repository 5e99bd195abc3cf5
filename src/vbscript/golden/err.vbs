' Err.Raise with a number VBScript knows takes VBScript's description and source.
On Error Resume Next
Err.Raise 5
WScript.Echo Err.Number, Err.Description                ' expect: 5 Invalid procedure call or argument
WScript.Echo Err.Source                                 ' expect: Microsoft VBScript runtime error
Err.Raise 6
WScript.Echo Err.Description                            ' expect: Overflow
Err.Raise 11
WScript.Echo Err.Description                            ' expect: Division by zero
Err.Raise 13
WScript.Echo Err.Description                            ' expect: Type mismatch
Err.Raise 91
WScript.Echo Err.Description                            ' expect: Object variable not set
Err.Raise 94
WScript.Echo Err.Description                            ' expect: Invalid use of Null
Err.Raise 424
WScript.Echo Err.Description                            ' expect: Object required
Err.Raise 429
WScript.Echo Err.Description                            ' expect: ActiveX component can't create object
Err.Raise 438
WScript.Echo Err.Description                            ' expect: Object doesn't support this property or method
Err.Raise 450
WScript.Echo Err.Description                            ' expect: Wrong number of arguments or invalid property assignment
Err.Raise 457
WScript.Echo Err.Description                            ' expect: This key is already associated with an element of this collection
Err.Raise 500
WScript.Echo Err.Description                            ' expect: Variable is undefined
Err.Raise 5017
WScript.Echo Err.Description                            ' expect: Syntax error in regular expression
Err.Raise 32811
WScript.Echo Err.Description                            ' expect: Element not found
Err.Raise 1234
WScript.Echo Err.Number, Err.Description                ' expect: 1234 Unknown runtime error
'---
' The rest of the run-time errors the language reference lists, each with its text.
On Error Resume Next
Dim number
For Each number In Array(7, 9, 10, 14, 17, 28, 35, 48, 51, 92, 430, 432, 445, 447, 448, 449, 451, 458, 462, 481, 502, 503, 504, 505, 506, 507, 5008, 5018, 5019, 5020, 5021)
  Err.Raise number
  WScript.Echo Err.Number & ": " & Err.Description
  Err.Clear
Next
' expect: 7: Out of memory
' expect: 9: Subscript out of range
' expect: 10: This array is fixed or temporarily locked
' expect: 14: Out of string space
' expect: 17: Can't perform requested operation
' expect: 28: Out of stack space
' expect: 35: Sub or function not defined
' expect: 48: Error in loading DLL
' expect: 51: Internal error
' expect: 92: For loop not initialized
' expect: 430: Class doesn't support Automation
' expect: 432: File name or class name not found during Automation operation
' expect: 445: Object doesn't support this action
' expect: 447: Object doesn't support current locale setting
' expect: 448: Named argument not found
' expect: 449: Argument not optional
' expect: 451: Object not a collection
' expect: 458: Variable uses an Automation type not supported in VBScript
' expect: 462: The remote server machine does not exist or is unavailable
' expect: 481: Invalid picture
' expect: 502: Object not safe for scripting
' expect: 503: Object not safe for initializing
' expect: 504: Object not safe for creating
' expect: 505: Invalid or unqualified reference
' expect: 506: Class not defined
' expect: 507: An exception occurred
' expect: 5008: Illegal assignment
' expect: 5018: Unexpected quantifier
' expect: 5019: Expected ']' in regular expression
' expect: 5020: Expected ')' in regular expression
' expect: 5021: Invalid range in character set
'---
' Source, Description, HelpFile and HelpContext as given; Clear empties every one.
On Error Resume Next
Err.Raise vbObjectError + 1, "MyParser", "The page has no table", "parser.chm", 12
WScript.Echo Err.Number, Err.Number - vbObjectError     ' expect: -2147221503 1
WScript.Echo Err.Source, "|", Err.Description           ' expect: MyParser | The page has no table
WScript.Echo Err.HelpFile, Err.HelpContext              ' expect: parser.chm 12
Err.Clear
WScript.Echo Err.Number, "[" & Err.Source & "]", "[" & Err.Description & "]", "[" & Err.HelpFile & "]", Err.HelpContext  ' expect: 0 [] [] [] 0
Err.Raise 13, "Mine"
WScript.Echo Err.Source, Err.Description, "[" & Err.HelpFile & "]", Err.HelpContext  ' expect: Mine Type mismatch [] 0
Err.Raise 13, , "Not a number"
WScript.Echo Err.Source, "|", Err.Description           ' expect: Microsoft VBScript runtime error | Not a number
Err.Clear
' The properties may be set.
Err.Source = "Set by hand"
Err.Description = "By hand"
Err.HelpFile = "x.hlp"
Err.HelpContext = 3
WScript.Echo Err.Number, Err.Source, Err.Description, Err.HelpFile, Err.HelpContext  ' expect: 0 Set by hand By hand x.hlp 3
Err.Clear
'---
' Errors of the built-ins and objects carry VBScript's descriptions.
On Error Resume Next
x = Mid("a", 0)
WScript.Echo Err.Number, Err.Description, "|", Err.Source  ' expect: 5 Invalid procedure call or argument | Microsoft VBScript runtime error
Err.Clear
x = CLng("many")
WScript.Echo Err.Number, Err.Description                ' expect: 13 Type mismatch
Err.Clear
x = UBound("text")
WScript.Echo Err.Number                                 ' expect: 13
Err.Clear
x = UBound(Array(1), 2)
WScript.Echo Err.Number, Err.Description                ' expect: 9 Subscript out of range
Err.Clear
x = Left("abc")
WScript.Echo Err.Number                                 ' expect: 450
Err.Clear
Set d = CreateObject("Scripting.Dictionary")
d.Add 1, 1
d.Add 1, 1
WScript.Echo Err.Number, Err.Source                     ' expect: 457 Microsoft VBScript runtime error
Err.Clear
'---
' Raise without a handler ends the program with the number raised.
Err.Raise 5017                                          ' expect error: 5017 line 2
'---
Err.Raise vbObjectError + 513, "Parser", "Custom"       ' expect error: -2147220991
'---
On Error Resume Next
Err.Raise 0
WScript.Echo Err.Number                                 ' expect: 5
Err.Clear
Err.Raise "abc"
WScript.Echo Err.Number                                 ' expect: 13
'---
' Err.Raise of a documented run-time error's number gives that error's description.
On Error Resume Next
For Each n In Array(48, 462, 481, 5008)
  Err.Raise n
  WScript.Echo n, Err.Description
  Err.Clear
Next
' expect: 48 Error in loading DLL
' expect: 462 The remote server machine does not exist or is unavailable
' expect: 481 Invalid picture
' expect: 5008 Illegal assignment
'---
' Compilation errors of code that Execute runs carry the documented texts.
On Error Resume Next
Execute "Class A" & vbLf & "Private Default Function F : End Function" & vbLf & "End Class"
WScript.Echo Err.Number, Err.Description
' expect: 1057 'Default' must also specify 'Public'
Err.Clear
Execute "Class B" & vbLf & "Property Get P(i) : End Property" & vbLf & _
        "Property Let P(v) : End Property" & vbLf & "End Class"
WScript.Echo Err.Number, Err.Description
' expect: 1051 Number of arguments must be consistent across properties
Err.Clear
Execute "Do For" & vbLf & "Loop"
WScript.Echo Err.Number, Err.Description
' expect: 1028 Expected 'While,' 'Until,' or end of statement
