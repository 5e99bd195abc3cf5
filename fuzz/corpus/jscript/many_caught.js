function run() {
  for (var i = 0; i < 200; i++) { try { engine.output({valueOf: function () { throw i; }, toString: function () { throw 'x' + i; }}); } catch (e) {} }
  engine.output(i);
}
