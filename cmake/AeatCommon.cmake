# One interface target carries the language level, the warnings and the Qt
# string-cast switches for every target of the project.
add_library(aeat_common INTERFACE)
target_compile_features(aeat_common INTERFACE cxx_std_20)
target_compile_options(aeat_common INTERFACE
  -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wshadow -Wconversion)
target_compile_definitions(aeat_common INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_KEYWORDS)
if(AEAT_WARNINGS_AS_ERRORS)
  target_compile_options(aeat_common INTERFACE -Werror)
endif()
if(AEAT_SANITIZE)
  target_compile_options(aeat_common INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(aeat_common INTERFACE -fsanitize=address,undefined)
endif()

# aeat_add_test(NAME name SOURCES ... LIBS ...)
# One QtTest executable per unit, registered with CTest. GUI tests run on the
# offscreen platform so that they need no display.
function(aeat_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test aeat_common aeat_test_support)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(env "QT_QPA_PLATFORM=offscreen")
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
