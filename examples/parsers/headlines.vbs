' headlines: the newest headlines of the BBC's news feed (RSS), or the newest that mention a word.
'   /xjuvo headlines           sends the three newest headlines, one a line
'   /xjuvo headlines 5         the five newest
'   /xjuvo headlines climate   the newest three that mention climate
Option Explicit

Const FEED = "https://feeds.bbci.co.uk/news/rss.xml"
Const MOST = 10

Dim wanted, word

Sub info
  engine.description = "Sends the newest headlines of the BBC's news."
  engine.syntax = "[how many | word]"
  engine.help = "/xjuvo headlines sends three headlines, /xjuvo headlines 5 sends five, " & _
                "/xjuvo headlines climate sends the newest that mention climate."
End Sub

Sub run
  Dim text
  text = Trim(engine.argument)
  wanted = 3
  word = ""
  If IsNumeric(text) Then
    wanted = CInt(text)
    If wanted < 1 Then wanted = 1
    If wanted > MOST Then wanted = MOST
  Else
    word = text
  End If
  ' A fetch that fails is said to the user alone; the conversation gets nothing.
  On Error Resume Next
  engine.getXML FEED, "gotFeed"
  If Err.Number <> 0 Then engine.alert "The news feed could not be read: " & Err.Description
End Sub

Sub gotFeed(doc)
  Dim item, title, description, found, count
  found = ""
  count = 0
  ' A feed lists its items newest first.
  For Each item In doc.getElementsByTagName("item")
    Set title = item.selectSingleNode("title")
    Set description = item.selectSingleNode("description")
    If Not title Is Nothing Then
      If mentions(title) Or mentions(description) Then
        If count > 0 Then found = found & vbCrLf
        found = found & "- " & Trim(title.text)
        count = count + 1
        If count = wanted Then Exit For
      End If
    End If
  Next
  If count > 0 Then
    engine.output found
  ElseIf word <> "" Then
    engine.output "No headline mentions " & word & "."
  Else
    engine.output "The feed has no headlines."
  End If
End Sub

' Whether the node's text holds the word looked for (any word, when none was given).
Function mentions(node)
  If node Is Nothing Then
    mentions = False
  Else
    mentions = InStr(1, node.text, word, vbTextCompare) > 0
  End If
End Function
