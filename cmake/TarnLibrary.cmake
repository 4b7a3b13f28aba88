# tarn_library(NAME "ENTRY;ENTRY..." DEPS...): a static library. An entry is a
# folder (every .cpp directly inside it) or a single .cpp file. A file claimed
# by an earlier library is not taken again, so a leaf module can live in the
# folder of a higher layer (app/log.cpp beside the start-up code).
function(tarn_library name entries)
  get_property(claimed GLOBAL PROPERTY TARN_CLAIMED_SOURCES)
  set(sources)
  foreach(entry IN LISTS entries)
    if(entry MATCHES "\\.cpp$")
      set(found ${CMAKE_SOURCE_DIR}/${entry})
    else()
      file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${entry}/*.cpp)
    endif()
    foreach(file IN LISTS found)
      if(EXISTS ${file} AND NOT file IN_LIST claimed)
        list(APPEND sources ${file})
      endif()
    endforeach()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY TARN_CLAIMED_SOURCES ${sources})
  if(NOT sources)
    # A layer that has no code yet still has to be linkable.
    set(sources ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tools)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# tarn_test(NAME DIR DEPS...): one GoogleTest executable per test folder.
function(tarn_test name dir)
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT found)
    return()
  endif()
  add_executable(${name} ${found})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TARN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TARN_BINARY_DIR="${CMAKE_BINARY_DIR}"
    TARN_SHARED_DIR="${CMAKE_SOURCE_DIR}/../shared")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
