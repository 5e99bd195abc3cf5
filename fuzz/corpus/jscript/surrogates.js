function run() { engine.output('😀😀'.length + '\ud800' + String.fromCharCode(0xdc00)); throw '😀' + new Array(600).join('😀'); }
