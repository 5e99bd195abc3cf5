// The shared library juvoplatform is made of the platform components (linked whole); CMake
// requires a source of the library's own, and this file is it. It defines nothing.
