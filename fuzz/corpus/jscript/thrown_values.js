function run() {
  var kinds = [1, 'text', null, undefined, {a: 1}, {number: 0x800A0005, description: 'custom'}, new TypeError('t')];
  for (var i = 0; i < kinds.length; i++) { try { throw kinds[i]; } catch (e) { engine.output(String(e)); } }
  throw {toString: function () { throw 'again'; }};
}
