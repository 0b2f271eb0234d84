# Installs the build into PREFIX and runs the installed programs from there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} OUTPUT_QUIET
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()

function(expect what output pattern)
  if(NOT output MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: expected ${pattern}, got:\n${output}")
  endif()
endfunction()

foreach(program tallowin tallowin-cli)
  execute_process(COMMAND ${PREFIX}/bin/${program} --version OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  expect("${program} --version" "${rc} ${out}" "^0 ${program} [0-9]+\\.[0-9]+\\.[0-9]+\n$")
endforeach()

# A slide is found only where the data was installed, not beside the program.
execute_process(COMMAND ${PREFIX}/bin/tallowin-cli document 001.qnl --today 12/07/2026 --first-payment 01/01/2020
  --term 30 --amount 100000 --payment 900 --rate 7.5 OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
expect("installed slide" "${rc} ${out}${err}" "^0 Welcome to Tallowin")
foreach(file share/applications/tallowin.desktop share/metainfo/com.quarnell.tallowin.metainfo.xml
             share/icons/hicolor/48x48/apps/tallowin.png share/icons/hicolor/256x256/apps/tallowin.png
             share/tallowin/tallowin-help.ini)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The desktop program starts on the offscreen platform and answers --help without one.
execute_process(COMMAND ${PREFIX}/bin/tallowin --help OUTPUT_VARIABLE out RESULT_VARIABLE rc)
expect("tallowin --help" "${rc} ${out}" "^0 Usage: tallowin .*--version")
