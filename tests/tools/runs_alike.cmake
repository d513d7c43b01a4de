# Runs a generator twice into fresh directories and fails unless both runs
# wrote the same files with the same bytes.
# -DRUN=<program>|<argument>|... with @OUT@ where the output directory goes
# (the arguments apart by |, since ; would split this one),
# -DMIN_FILES=<at least this many files>, -DWORK=<scratch directory>
file(REMOVE_RECURSE ${WORK})
string(REPLACE "|" ";" command "${RUN}")
foreach(run first second)
  file(MAKE_DIRECTORY ${WORK}/${run})
  string(REPLACE "@OUT@" "${WORK}/${run}" this_run "${command}")
  execute_process(COMMAND ${this_run} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the ${run} run failed: ${result}")
  endif()
endforeach()
file(GLOB_RECURSE first RELATIVE ${WORK}/first ${WORK}/first/*)
file(GLOB_RECURSE second RELATIVE ${WORK}/second ${WORK}/second/*)
list(LENGTH first count)
if(NOT first STREQUAL second OR count LESS MIN_FILES)
  message(FATAL_ERROR "the runs wrote different files (${count}): ${first} / ${second}")
endif()
foreach(name ${first})
  file(SHA256 ${WORK}/first/${name} a)
  file(SHA256 ${WORK}/second/${name} b)
  if(NOT a STREQUAL b)
    message(FATAL_ERROR "${name} differs between two runs")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
