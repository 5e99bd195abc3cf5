var o = {toString: function () { engine.output(o); return 'x'; }};
function run() { engine.output(o); }
