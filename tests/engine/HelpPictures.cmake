# cmake -DTOOL=<novagrid-help-pictures> -DWORK=<folder> -DIMAGES=<assets/help/images> -P HelpPictures.cmake
#
# The command draws every picture the rules show, under the names they use
# and in the sizes their pages give (those of the committed pictures), and a
# second run writes the same bytes: a rerun of scripts/make-assets.sh must
# leave git clean.
file(REMOVE_RECURSE "${WORK}")
foreach(run first second)
  execute_process(COMMAND "${TOOL}" "${WORK}/${run}" RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${run} run: exit code ${code}, stdout:\n${out}\nstderr:\n${err}")
  endif()
endforeach()

file(GLOB expected RELATIVE "${IMAGES}" "${IMAGES}/*")
file(GLOB written RELATIVE "${WORK}/first" "${WORK}/first/*")
list(SORT expected)
list(SORT written)
if(NOT written STREQUAL expected)
  message(FATAL_ERROR "wrote\n  ${written}\nthe rules have\n  ${expected}")
endif()

foreach(name IN LISTS expected)
  # A PNG's signature, then its header chunk with width and height.
  file(READ "${IMAGES}/${name}" committed LIMIT 24 HEX)
  file(READ "${WORK}/first/${name}" drawn LIMIT 24 HEX)
  string(SUBSTRING "${drawn}" 0 16 signature)
  string(SUBSTRING "${committed}" 32 16 committedSize)
  string(SUBSTRING "${drawn}" 32 16 drawnSize)
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT drawnSize STREQUAL committedSize)
    message(FATAL_ERROR "${name}: header ${drawn}, the committed picture's ${committed}")
  endif()
  file(SHA256 "${WORK}/first/${name}" first)
  file(SHA256 "${WORK}/second/${name}" second)
  if(NOT first STREQUAL second)
    message(FATAL_ERROR "${name} differs between two runs")
  endif()
endforeach()
