# tarn_system_sources(OUT FOLDER): the .cpp files directly inside FOLDER that
# this system builds. What differs between systems lives in files of its own:
# a name ending in _windows is Windows' alone, one ending in _posix or _linux
# every other system's; all other files serve every system.
function(tarn_system_sources out folder)
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  if(WIN32)
    list(FILTER found EXCLUDE REGEX "_(posix|linux)\\.cpp$")
  else()
    list(FILTER found EXCLUDE REGEX "_windows\\.cpp$")
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# tarn_library(NAME "FOLDER;FOLDER..." DEPS...): a static library of every .cpp
# directly inside the folders that this system builds.
function(tarn_library name folders)
  set(sources)
  foreach(folder IN LISTS folders)
    tarn_system_sources(found ${folder})
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    # A layer that has no code yet still has to be linkable.
    set(sources ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  # Each library sees only its own folders and, through its links, those of
  # the libraries below it: its include folder holds a link to each of its
  # source folders under the name the code includes it by (src/level as
  # level/, tools/cli as cli/, src/formats/tiled as formats/tiled/). A header
  # included the wrong way up is then not found at all.
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  # Made afresh at each configure, so that no link outlives its folder.
  file(REMOVE_RECURSE ${root})
  foreach(folder IN LISTS folders)
    string(REGEX REPLACE "^(src|tools)/" "" included_as ${folder})
    get_filename_component(parent ${root}/${included_as} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${included_as} SYMBOLIC)
  endforeach()
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# tarn_test(NAME DIR DEPS...): one GoogleTest executable per test folder.
function(tarn_test name dir)
  tarn_system_sources(found ${dir})
  if(NOT found)
    return()
  endif()
  add_executable(${name} ${found})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TARN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TARN_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(CMAKE_CROSSCOMPILING)
    # Each test program runs whole under the system's emulator (Wine): one
    # start per program instead of one per test case.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()
