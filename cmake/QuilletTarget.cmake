# Warnings and common settings for the targets that are our own code.
function(quillet_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(QUILLET_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_definitions(${target} PRIVATE
    QT_NO_KEYWORDS
    QUILLET_VERSION="${PROJECT_VERSION}")
endfunction()

# One static library per layer; sources are the .cpp files of the folder.
function(quillet_library target)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources} ${ARGN})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  quillet_target(${target})
endfunction()

# One test program per folder, run by CTest with a private QUILLET_HOME.
function(quillet_test target)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${target} ${sources} ${ARGN})
  target_link_libraries(${target} PRIVATE GTest::gtest)
  target_compile_definitions(${target} PRIVATE
    QUILLET_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    QUILLET_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  quillet_target(${target})
  add_dependencies(${target} quillet_data)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES
    ENVIRONMENT "QUILLET_HOME=${CMAKE_BINARY_DIR}/test-home/${target};QT_QPA_PLATFORM=offscreen"
    TIMEOUT 900)
endfunction()
