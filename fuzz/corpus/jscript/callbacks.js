function run() {
  try { engine.callback('broken'); } catch (e) { engine.output(e.number + ' ' + e.description); }
  engine.callback('twice', 21);
  engine.callback('rethrow');
}
function broken() { null.x; }
function twice(n) { return engine.callback('double', n); }
function double(n) { return n * 2; }
function rethrow() { try { engine.callback('broken'); } catch (e) { throw e; } }
