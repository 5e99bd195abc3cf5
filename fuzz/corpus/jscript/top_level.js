engine.output('too early');
function run() {}
