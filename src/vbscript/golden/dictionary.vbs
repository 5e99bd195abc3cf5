' Scripting.Dictionary: Add, Item as the default member, Exists, Count, Keys and Items in the
' order of adding, Remove, RemoveAll, For Each over the keys.
Set d = CreateObject("Scripting.Dictionary")
d.Add "a", "apple"
d.Add "b", "banana"
d.Add 3, "three"
WScript.Echo d.Count, d("a"), d.Item("b"), d(3), TypeName(d)  ' expect: 3 apple banana three Dictionary
WScript.Echo d.Exists("a"), d.Exists("A"), d.Exists(3), d.Exists("3"), d.Exists(3.0)  ' expect: True False True False True
WScript.Echo Join(d.Keys, ","), Join(d.Items, ","), UBound(d.Keys), TypeName(d.Items)  ' expect: a,b,3 apple,banana,three 2 Variant()
For Each k In d
  WScript.Echo k & "=" & d(k)
Next
' expect: a=apple
' expect: b=banana
' expect: 3=three
d("b") = "blueberry"
d.Item("c") = "cherry"
WScript.Echo d("b"), d.Count, Join(d.Keys, ",")         ' expect: blueberry 4 a,b,3,c
d.Remove "a"
WScript.Echo d.Count, d.Exists("a"), Join(d.Keys, ",")  ' expect: 3 False b,3,c
d.Key("b") = "B"
WScript.Echo Join(d.Keys, ","), d("B")                  ' expect: B,3,c blueberry
d.RemoveAll
WScript.Echo d.Count, UBound(d.Keys), UBound(d.Items)   ' expect: 0 -1 -1
'---
' Reading a missing key adds it with Empty.
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo IsEmpty(d("missing")), d.Count, d.Exists("missing")  ' expect: True 1 True
x = d.Item("other")
WScript.Echo d.Count, Join(d.Keys, ",")                 ' expect: 2 missing,other
If d("third") = "" Then WScript.Echo "empty"            ' expect: empty
WScript.Echo d.Count                                    ' expect: 3
WScript.Echo d.Exists("fourth"), d.Count                ' expect: False 3
'---
' Errors: a key added twice is 457, removing a missing key is 32811.
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", 1
On Error Resume Next
d.Add "k", 2
WScript.Echo Err.Number, Err.Description                ' expect: 457 This key is already associated with an element of this collection
WScript.Echo d("k"), d.Count                            ' expect: 1 1
Err.Clear
d.Remove "nothing"
WScript.Echo Err.Number, Err.Description                ' expect: 32811 Element not found
Err.Clear
d.Key("nothing") = "x"
WScript.Echo Err.Number                                 ' expect: 32811
Err.Clear
d.Add "other", 2
d.Key("other") = "k"
WScript.Echo Err.Number, Join(d.Keys, ",")              ' expect: 457 k,other
Err.Clear
d.Add Array(1), 1
WScript.Echo Err.Number                                 ' expect: 13
'---
' CompareMode: under vbTextCompare keys differ not by letter case; it is set while empty.
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo d.CompareMode = vbBinaryCompare            ' expect: True
d.CompareMode = vbTextCompare
d.Add "Key", "first"
WScript.Echo d.Exists("KEY"), d("key"), d.Count, d.CompareMode  ' expect: True first 1 1
d("KEY") = "second"
WScript.Echo d("Key"), d.Count, Join(d.Keys, ",")       ' expect: second 1 Key
On Error Resume Next
d.Add "kEY", "third"
WScript.Echo Err.Number                                 ' expect: 457
Err.Clear
d.CompareMode = vbBinaryCompare
WScript.Echo Err.Number, d.CompareMode                  ' expect: 5 1
Err.Clear
Set e = CreateObject("Scripting.Dictionary")
e.Add "Key", 1
e.Add "key", 2
WScript.Echo e.Count                                    ' expect: 2
e.CompareMode = 7
WScript.Echo Err.Number                                 ' expect: 5
'---
' Items may be objects; keys may be numbers, dates and objects.
Set d = CreateObject("Scripting.Dictionary")
Set inner = CreateObject("Scripting.Dictionary")
inner.Add "x", 42
Set d("inner") = inner
WScript.Echo d("inner")("x"), d("inner") Is inner       ' expect: 42 True
d.Add inner, "by object"
WScript.Echo d(inner), d.Exists(CreateObject("Scripting.Dictionary"))  ' expect: by object False
d.Add #1/1/2024#, "new year"
d.Add 1.5, "one and a half"
WScript.Echo d(#1/1/2024#), d(1.5), d.Exists(CDate("1/1/2024")), d.Exists(CSng(1.5))  ' expect: new year one and a half True True
d.Add Empty, "empty"
WScript.Echo d(Empty), d.Exists("")                     ' expect: empty False
'---
' A dictionary counting words.
Set counts = CreateObject("Scripting.Dictionary")
counts.CompareMode = vbTextCompare
For Each word In Split("the cat and The dog and THE bird")
  counts(word) = counts(word) + 1
Next
For Each word In counts
  WScript.Echo word, counts(word)
Next
' expect: the 3
' expect: cat 1
' expect: and 2
' expect: dog 1
' expect: bird 1
