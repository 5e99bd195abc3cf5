' forecast: the weather for a day of the coming week, read from the forecast table of a weather
' site's page for the city. (weather.example stands for the site you use; the parser shows how
' to read a table whose columns are named in its first row.)
'   /xjuvo forecast Amsterdam          sends today's sky, highest and lowest temperature and
'                                      chance of rain in Amsterdam
'   /xjuvo forecast Amsterdam friday   sends the same for Friday
Option Explicit

Const FORECASTS = "https://weather.example/forecast/"

Dim city, day

Sub info
  engine.description = "Sends the weather forecast for a city."
  engine.syntax = "city [day]"
  engine.help = "/xjuvo forecast Amsterdam sends today's weather in Amsterdam; " & _
                "/xjuvo forecast Amsterdam friday sends Friday's."
End Sub

Sub run
  Dim words
  words = Split(Trim(engine.argument))
  If UBound(words) < 0 Then
    engine.alert "Name a city, as in: forecast Amsterdam, or forecast Amsterdam friday."
    Exit Sub
  End If
  city = words(0)
  day = ""
  If UBound(words) > 0 Then day = LCase(words(UBound(words)))
  On Error Resume Next
  engine.getXML FORECASTS & LCase(city), "gotForecast", True
  If Err.Number <> 0 Then engine.output "No forecast for " & city & ": " & Err.Description
End Sub

Sub gotForecast(doc)
  Dim rows, cell, columns, name, days, i, rowIndex
  Set rows = doc.selectNodes("//table[@class='forecast']//tr")
  If rows.length < 2 Then
    engine.output "The page has no forecast for " & city & "."
    Exit Sub
  End If

  ' The first row names the columns: find each by its name, wherever the site puts it.
  Set columns = CreateObject("Scripting.Dictionary")
  columns.CompareMode = vbTextCompare
  i = 0
  For Each cell In rows(0).selectNodes("th|td")
    columns(Trim(cell.text)) = i
    i = i + 1
  Next
  For Each name In Array("Day", "Sky", "High", "Low", "Rain")
    If Not columns.Exists(name) Then
      engine.output "The forecast table has no column " & name & " any more."
      Exit Sub
    End If
  Next

  ' The other rows by the day they are for, in order: today first, then tomorrow.
  Set days = CreateObject("Scripting.Dictionary")
  For i = 1 To rows.length - 1
    If rows(i).selectNodes("td").length = columns.Count Then
      days(LCase(field(rows(i), columns, "Day"))) = i
    End If
  Next

  If day = "" Or day = "today" Then
    rowIndex = days.Items()(0)
  ElseIf day = "tomorrow" And days.Count > 1 Then
    rowIndex = days.Items()(1)
  ElseIf days.Exists(day) Then
    rowIndex = days(day)
  Else
    engine.output "The forecast for " & city & " has no " & day & "."
    Exit Sub
  End If
  engine.output city & ", " & field(rows(rowIndex), columns, "Day") & ": " & _
                LCase(field(rows(rowIndex), columns, "Sky")) & ", " & _
                field(rows(rowIndex), columns, "High") & " / " & _
                field(rows(rowIndex), columns, "Low") & ", rain " & _
                field(rows(rowIndex), columns, "Rain")
End Sub

' The text of the cell in column `name` of `row`.
Function field(row, columns, name)
  field = Trim(row.selectNodes("td")(columns(name)).text)
End Function
