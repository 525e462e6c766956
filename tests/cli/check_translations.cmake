# Every text quirvane-encode shows has a finished Japanese translation, and
# the .ts holds no other: lupdate, run afresh over the sources into a copy
# of it, finds nothing new, nothing gone and nothing unfinished.
file(GLOB sources "${SOURCE_DIR}/*.cpp")
file(COPY_FILE "${TS}" "${COPY}")
execute_process(COMMAND "${LUPDATE}" -silent -locations none ${sources} -ts "${COPY}"
                RESULT_VARIABLE failed)
file(READ "${COPY}" ts)
string(REGEX MATCHALL "<translation type=\"[a-z]+\">[^<]*|<translation></translation>|<translation/>"
       unfinished "${ts}")
if(failed OR unfinished)
  message(FATAL_ERROR "${TS} is not up to date with the sources: ${unfinished}")
endif()
