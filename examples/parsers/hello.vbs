' hello: greets whoever is named after the command.
'   /xjuvo hello World   sends   Hello, World

Sub info
  engine.description = "Greets whoever you name."
  engine.syntax = "name"
  engine.help = "Sends a greeting into the conversation: /xjuvo hello World sends Hello, World."
End Sub

Sub run
  engine.output "Hello, " & engine.argument
End Sub
