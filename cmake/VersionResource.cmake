# Gives a Windows target the file properties Explorer and installers read: the project's version,
# a description and the file's own name.
function(zarvelin_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(version_file_type VFT_DLL)
    set(version_file_name ${target}.dll)
  else()
    set(version_file_type VFT_APP)
    set(version_file_name ${target}.exe)
  endif()
  set(version_target ${target})
  set(version_description "${description}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/Version.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
endfunction()
