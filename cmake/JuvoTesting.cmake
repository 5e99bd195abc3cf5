include(CMakeParseArguments)

# juvo_platform_component(NAME SOURCES ... DEPS ...): one piece of the platform layer, a static
# library of position-independent code. The shared library juvoplatform is made of all of
# them; a component's own tests link the component directly, so each can be built and tested
# alone.
function(juvo_platform_component name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY JUVO_PLATFORM_COMPONENTS ${name})
endfunction()

# juvo_component(NAME SOURCES ... DEPS ...): one subsystem of the plug-in, a static library
# linked into the module juvo.so. It reaches the platform through the shared juvoplatform.
function(juvo_component name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC juvoplatform ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY JUVO_COMPONENTS ${name})
endfunction()

# juvo_tests(NAME [QT] SOURCES ... LIBS ...): a GoogleTest program, registered with ctest.
# QT gives it the main that runs one QApplication (offscreen) for the whole program.
function(juvo_tests name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock juvo_qt_test_main)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
    DISCOVERY_TIMEOUT 60)
endfunction()
