# hygrova_gzip_for_debian(<input> <output>): a build rule that writes <output>, the file
# <input> compressed as Debian keeps manual pages and changelogs: gzip -9, without a time
# stamp (-n), so that the same input always gives the same bytes.
function(hygrova_gzip_for_debian input output)
  find_program(GZIP gzip REQUIRED)
  add_custom_command(OUTPUT ${output}
    COMMAND ${GZIP} -9 -n -c ${input} > ${output}
    DEPENDS ${input}
    VERBATIM)
endfunction()
