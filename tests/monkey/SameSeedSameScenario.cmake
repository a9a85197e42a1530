# Runs one seed twice, keeping both scenarios, and compares them.
# cmake -DMONKEY=vantor-monkey -DFOLDER=dir -P SameSeedSameScenario.cmake
file(REMOVE_RECURSE ${FOLDER})
foreach(run first second)
  execute_process(
    COMMAND ${MONKEY} --device iPhone3,1 --seeds 7 --keep --root ${FOLDER}/root --out ${FOLDER}/${run}
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the monkey's ${run} run of seed 7 failed")
  endif()
endforeach()
file(READ ${FOLDER}/first/iPhone3,1-seed-7.scenario first)
file(READ ${FOLDER}/second/iPhone3,1-seed-7.scenario second)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "seed 7 wrote two different scenarios:\n${first}\n---\n${second}")
endif()
string(LENGTH "${first}" length)
if(length LESS 100)
  message(FATAL_ERROR "seed 7 wrote almost nothing:\n${first}")
endif()
