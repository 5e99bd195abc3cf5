' wiki: the opening of a Wikipedia article, its footnote marks taken out.
'   /xjuvo wiki Amsterdam   sends   Amsterdam is the capital and largest city of the Netherlands...
Option Explicit

Const ARTICLES = "https://en.wikipedia.org/wiki/"
Const LONGEST = 300

Dim title

Sub info
  engine.description = "Sends the opening of a Wikipedia article."
  engine.syntax = "article"
  engine.help = "/xjuvo wiki Amsterdam sends the first words of the English Wikipedia's " & _
                "article on Amsterdam."
End Sub

Sub run
  title = Trim(engine.argument)
  If title = "" Then
    engine.alert "Name an article after the parser's name, as in: wiki Amsterdam."
    Exit Sub
  End If
  ' Wikipedia writes spaces in its addresses as underscores.
  On Error Resume Next
  engine.getXML ARTICLES & Replace(title, " ", "_"), "gotArticle", True
  If Err.Number <> 0 Then
    If InStr(Err.Description, " 404 ") > 0 Then
      engine.output "Wikipedia has no article called " & title & "."
    Else
      engine.alert "The article could not be read: " & Err.Description
    End If
  End If
End Sub

Sub gotArticle(doc)
  Dim marks, spaces, gaps, paragraph, text
  ' Footnote marks: [1], [a], [citation needed].
  Set marks = New RegExp
  marks.Pattern = "\s*\[(\d+|[a-z]|note \d+|citation needed)\]"
  marks.Global = True
  ' Tidy starts a new line before many tags, which reads as a space: the chat wants one line,
  ' and no space after an opening bracket or before a closing one or a stop.
  Set spaces = New RegExp
  spaces.Pattern = "\s+"
  spaces.Global = True
  Set gaps = New RegExp
  gaps.Pattern = "(\() | ([,.;:)])"
  gaps.Global = True
  ' The article's text is in the paragraphs directly below this element (those inside boxes
  ' and tables are captions); empty ones stand between boxes.
  For Each paragraph In doc.selectNodes("//div[@id='mw-content-text']/div/p")
    text = gaps.Replace(Trim(spaces.Replace(marks.Replace(paragraph.text, ""), " ")), "$1$2")
    If text <> "" Then
      engine.output shortened(text)
      Exit Sub
    End If
  Next
  engine.output "The article on " & title & " has no text to show."
End Sub

' At most LONGEST characters, cut after a whole word.
Function shortened(text)
  Dim cut
  If Len(text) <= LONGEST Then
    shortened = text
    Exit Function
  End If
  cut = InStrRev(text, " ", LONGEST)
  If cut = 0 Then cut = LONGEST
  shortened = RTrim(Left(text, cut - 1)) & "..."
End Function
