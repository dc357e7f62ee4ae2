# Run by CPack on the staged files before it makes the .deb: Debian's zsh looks for the
# completion functions of packages in vendor-completions, site-functions being the local
# administrator's (under /usr/local); `cmake --install` keeps its own place.
file(GLOB site_functions LIST_DIRECTORIES true
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/share/zsh/site-functions")
foreach(directory IN LISTS site_functions)
  get_filename_component(zsh "${directory}" DIRECTORY)
  file(RENAME "${directory}" "${zsh}/vendor-completions")
endforeach()
