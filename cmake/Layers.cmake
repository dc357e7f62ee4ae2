# One static library per layer folder; its sources are the folder's .cpp files, so adding a file to
# a layer needs no edit here.
function(zarvelin_layer name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    zarvelin_warnings(${name})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
  endif()
  if(ARGN)
    if(sources)
      target_link_libraries(${name} PUBLIC ${ARGN})
    else()
      target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
  endif()
endfunction()

# One GoogleTest program per test folder, registered with CTest case by case.
function(zarvelin_test_folder name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  zarvelin_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARGN} zarvelin_fakes GTest::gtest GTest::gtest_main
                                        GTest::gmock)
  # Parameterised cases keep their own short names rather than a dump of the parameter bytes.
  gtest_discover_tests(${name} NO_PRETTY_VALUES DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()
