// hello: greets whoever is named after the command.
//   /xjuvo hello World   sends   Hello, World

function info() {
  engine.description = "Greets whoever you name.";
  engine.syntax = "name";
  engine.help = "Sends a greeting into the conversation: /xjuvo hello World sends Hello, World.";
}

function run() {
  engine.output("Hello, " + engine.argument);
}
