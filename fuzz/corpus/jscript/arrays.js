function run() {
  var s = 'ab'; while (s.length < 4096) s += s;
  var parts = s.split('');
  engine.output(parts.reverse().join('').length + parts.indexOf('b') + [3,1,2].sort().join('-'));
  try { new Array(5000000).join(); } catch (e) { engine.output(e.fileName + ':' + e.lineNumber + ' ' + e.message); }
  var sparse = []; sparse[1 << 23] = 1; try { sparse.join(''); } catch (e) {}
}
