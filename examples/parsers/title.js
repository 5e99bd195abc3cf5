// title: sends the title of a web page, read from the page tidied into XML.
//   /xjuvo title example.com   sends   Example Domain

function info() {
  engine.description = "Sends the title of a web page.";
  engine.syntax = "address";
  engine.help = "/xjuvo title example.com sends the title of the page at http://example.com";
}

function run() {
  if (engine.argument == "") {
    engine.alert("Type a web address after the parser's name.");
    return;
  }
  try {
    // Web pages are seldom well-formed XML: have them tidied first.
    engine.getXML(engine.argument, "showTitle", true);
  } catch (e) {
    // The page could not be fetched: say why, and send nothing.
    engine.alert(e.description);
  }
}

function showTitle(page) {
  // Tidy gives every page a title element, an empty one where the page had none.
  var titles = page.getElementsByTagName("title");
  var title = titles.length > 0 ? titles.item(0).text : "";
  engine.output(title != "" ? title : "The page has no title.");
}
