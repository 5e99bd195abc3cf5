' quote: a share's last price, read from the data a stock site's page carries in a script for
' its own use. (quotes.example stands for the site you use; the parser shows how to pick values
' out of a page's text with InStr and Mid where the XML document cannot see them.)
'   /xjuvo quote AAPL   sends   Apple Inc. (AAPL): 189.84 USD, +2.31 (+1.23%)
Option Explicit

Const QUOTES = "https://quotes.example/stock/"

Dim symbol

Sub info
  engine.description = "Sends the last price of a share."
  engine.syntax = "symbol"
  engine.help = "/xjuvo quote AAPL sends Apple's last price and its change today."
End Sub

Sub run
  symbol = UCase(Trim(engine.argument))
  If symbol = "" Then
    engine.alert "Name a share by its symbol, as in: quote AAPL."
    Exit Sub
  End If
  On Error Resume Next
  ' Tidied, the page parses whatever its markup; the data is read from engine.document, the
  ' page's text as fetched.
  engine.getXML QUOTES & Escape(symbol), "gotPage", True
  If Err.Number <> 0 Then engine.output "No quote for " & symbol & "."
End Sub

Sub gotPage(doc)
  Dim data, name, price, change, percent, currency
  ' The page's script holds:  var quote = {"symbol":"AAPL","name":"Apple Inc.",...};
  data = between(engine.document, "var quote = {", "};")
  If data = "" Then
    engine.output "The page has no quote for " & symbol & "."
    Exit Sub
  End If
  name = valueOf(data, "name")
  price = valueOf(data, "price")
  change = valueOf(data, "change")
  percent = valueOf(data, "changePercent")
  currency = valueOf(data, "currency")
  If Left(change, 1) <> "-" Then change = "+" & change
  If Left(percent, 1) <> "-" Then percent = "+" & percent
  engine.output name & " (" & symbol & "): " & price & " " & currency & ", " & change & _
                " (" & percent & "%)"
End Sub

' The text between the first `opening` and the `closing` after it; "" when either is missing.
Function between(text, opening, closing)
  Dim first, last
  between = ""
  first = InStr(text, opening)
  If first = 0 Then Exit Function
  first = first + Len(opening)
  last = InStr(first, text, closing)
  If last = 0 Then Exit Function
  between = Mid(text, first, last - first)
End Function

' The value of "key" in a flat list of "key":value pairs, without its quotes.
Function valueOf(data, key)
  Dim at, finish
  valueOf = ""
  at = InStr(data, """" & key & """:")
  If at = 0 Then Exit Function
  at = at + Len(key) + 3
  If Mid(data, at, 1) = """" Then
    finish = InStr(at + 1, data, """")
    valueOf = Mid(data, at + 1, finish - at - 1)
  Else
    finish = InStr(at, data, ",")
    If finish = 0 Then finish = Len(data) + 1
    valueOf = Trim(Mid(data, at, finish - at))
  End If
End Function
