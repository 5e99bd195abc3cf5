' rates: converts money at the European Central Bank's reference rates of the day, which the
' bank publishes as an XML document.
'   /xjuvo rates USD           sends   1 EUR = 1.0813 USD (ECB reference rate of 2024-02-29)
'   /xjuvo rates 250 USD GBP   sends   250 USD = 197.41 GBP (ECB reference rates of 2024-02-29)
Option Explicit

Const RATES_ADDRESS = "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml"
' The document puts its rates in this namespace; XPath reaches them through a prefix of ours.
Const RATES_NAMESPACE = "xmlns:ecb='http://www.ecb.int/vocabulary/2002-08-01/eurofxref'"

Dim amount, fromCurrency, toCurrency

Sub info
  engine.description = "Converts money at the European Central Bank's rates of the day."
  engine.syntax = "[amount] currency [currency]"
  engine.help = "/xjuvo rates USD sends what a euro is worth in dollars; " & _
                "/xjuvo rates 250 USD GBP converts 250 dollars to pounds."
End Sub

Sub run
  If Not readArgument(engine.argument) Then
    engine.alert "Name a currency, as in: rates USD, or rates 250 USD GBP."
    Exit Sub
  End If
  ' A fetch that fails is said to the user alone; the conversation gets nothing.
  On Error Resume Next
  engine.getXML RATES_ADDRESS, "gotRates"
  If Err.Number <> 0 Then engine.alert "The ECB's rates could not be read: " & Err.Description
End Sub

' An optional amount, then one or two currency codes ("250 USD in GBP" reads as well).
Function readArgument(text)
  Dim pattern, parts
  Set pattern = New RegExp
  pattern.Pattern = "^\s*(?:(\d+(?:[.,]\d+)?)\s+)?([a-z]{3})(?:\s+(?:in\s+|to\s+)?([a-z]{3}))?\s*$"
  pattern.IgnoreCase = True
  readArgument = pattern.Test(text)
  If Not readArgument Then Exit Function
  Set parts = pattern.Execute(text)(0).SubMatches
  amount = 1
  If Not IsEmpty(parts(0)) Then amount = numberOf(Replace(parts(0), ",", "."))
  fromCurrency = UCase(parts(1))
  toCurrency = ""
  If Not IsEmpty(parts(2)) Then toCurrency = UCase(parts(2))
End Function

' A number written with a decimal point, whatever the user's regional settings say.
Function numberOf(text)
  numberOf = CDbl(Replace(text, ".", Mid(CStr(0.5), 2, 1)))
End Function

Sub gotRates(doc)
  Dim rates, cube, day, result
  doc.setProperty "SelectionNamespaces", RATES_NAMESPACE
  Set day = doc.selectSingleNode("//ecb:Cube[@time]")
  If day Is Nothing Then
    engine.output "The ECB's document has no rates in it today."
    Exit Sub
  End If

  ' Every rate says what one euro is worth in its currency.
  Set rates = CreateObject("Scripting.Dictionary")
  rates.Add "EUR", 1
  For Each cube In day.selectNodes("ecb:Cube[@currency]")
    rates(cube.getAttribute("currency")) = numberOf(cube.getAttribute("rate"))
  Next

  If Not rates.Exists(fromCurrency) Then
    engine.output "The ECB has no rate for " & fromCurrency & "."
  ElseIf toCurrency = "" Then
    engine.output FormatAmount(amount) & " EUR = " & CStr(amount * rates(fromCurrency)) & " " & _
                  fromCurrency & " (ECB reference rate of " & day.getAttribute("time") & ")"
  ElseIf Not rates.Exists(toCurrency) Then
    engine.output "The ECB has no rate for " & toCurrency & "."
  Else
    result = amount / rates(fromCurrency) * rates(toCurrency)
    engine.output FormatAmount(amount) & " " & fromCurrency & " = " & FormatNumber(result, 2) & _
                  " " & toCurrency & " (ECB reference rates of " & day.getAttribute("time") & ")"
  End If
End Sub

' Whole amounts as they are, others with their cents.
Function FormatAmount(value)
  If value = Int(value) Then
    FormatAmount = FormatNumber(value, 0)
  Else
    FormatAmount = FormatNumber(value, 2)
  End If
End Function
