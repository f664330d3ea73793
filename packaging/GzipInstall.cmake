# Debian wants manual pages and changelogs compressed at the highest level, and gzip -n leaves out
# the file name and time it would otherwise store, so the same sources always give the same bytes.
find_program(KALVON_GZIP gzip REQUIRED)

# Compresses SOURCE at build time into the build folder's packaging/NAME.gz and installs that in
# DESTINATION; a missing SOURCE fails the build.
function(kalvon_install_gzipped source name destination)
  set(plain ${CMAKE_BINARY_DIR}/packaging/${name})
  add_custom_command(OUTPUT ${plain}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
    COMMAND ${KALVON_GZIP} -9nf ${plain}
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "gzip_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${plain}.gz)
  install(FILES ${plain}.gz DESTINATION ${destination})
endfunction()
