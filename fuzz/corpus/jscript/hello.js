function run() {
  engine.output('Hello, ' + 'World');
}
