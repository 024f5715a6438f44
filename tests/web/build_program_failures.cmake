# The page's build programs stop with exit status 1 and a message when a file cannot be
# read or written, so that the build never ships a page without its style or a font
# list cut short.
# Usage: cmake -DNODE=... -DPROGRAMS=build/web/web -DSTYLE=page.css -DSCREENS=screens.css -DSCRATCH=dir
#          -P build_program_failures.cmake

function(expect_failure what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs ${NODE} ${ARGN}
                  RESULT_VARIABLE status ERROR_VARIABLE message OUTPUT_QUIET)
  if(NOT status STREQUAL "1" OR message STREQUAL "")
    message(FATAL_ERROR "${what}: exit status ${status}, message \"${message}\"")
  endif()
endfunction()

set(page ${PROGRAMS}/zemkari_make_page.js)
set(characters ${PROGRAMS}/zemkari_font_characters.js)
file(MAKE_DIRECTORY ${SCRATCH})
file(REMOVE ${SCRATCH}/index.html)
expect_failure("make_page without its style sheet" ${page} ${SCRATCH}/missing.css ${SCREENS} 1.0.0 ${SCRATCH} 192)
expect_failure("make_page without its screens' arrangements" ${page} ${STYLE} ${SCRATCH}/missing.css 1.0.0 ${SCRATCH}
               192)
if(EXISTS ${SCRATCH}/index.html)
  message(FATAL_ERROR "make_page wrote a page without its style sheets")
endif()
# A site folder whose index.html is the full device.
file(MAKE_DIRECTORY ${SCRATCH}/full)
file(CREATE_LINK /dev/full ${SCRATCH}/full/index.html SYMBOLIC)
expect_failure("make_page on a full disk" ${page} ${STYLE} ${SCREENS} 1.0.0 ${SCRATCH}/full 192)
expect_failure("font_characters on a full disk" ${characters} 1.0.0 ${SCRATCH}/regular.txt /dev/full)
