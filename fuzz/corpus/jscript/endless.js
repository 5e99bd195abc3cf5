function run() { while (true) {} }
