function run() {
  var page = '<html><body><p class="t">21 \u00b0C</p></body></html>';
  var m = /<p class="t">([^<]*)<\/p>/.exec(page);
  engine.output(m ? m[1].replace(/\s+/g, ' ').toUpperCase() : 'none');
  engine.output(JSON.stringify({a: [1, 'b', null], d: new Date(0).getTime()}));
  engine.output(encodeURIComponent('Amsterdam é') + escape('x y') + parseInt('0x1f', 16));
}
