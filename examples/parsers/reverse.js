// reverse: sends the argument text backwards.

function info() {
  engine.description = "Sends your text backwards.";
  engine.syntax = "text";
  engine.help = "/xjuvo reverse stressed   sends   desserts";
}

function run() {
  var text = engine.argument;
  if (text.length == 0) {
    engine.alert("Type some text after the parser's name.");
    return;
  }
  engine.output(text.split("").reverse().join(""));
}
