function down(n) { return down(n + 1) + 1; }
function run() { try { down(0); } catch (e) { engine.output(e.message); } [0].map(function f(n) { return [n].map(f); }); }
