var counter = 0;
function run() {
  var o = {get x() { return ++counter; }, valueOf: function () { return 42; }};
  engine.output(o.x + o.x + (o + 1));
  for (var k in engine) engine.output(k);
  engine.output(typeof engine.output + typeof engine.callback);
  engine.callback('nosuch');
}
