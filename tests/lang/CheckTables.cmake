# Regenerates the language tables into a scratch folder and fails unless the committed tables are
# byte for byte what the generator writes (a hand edit, or a generator change not re-run).
#   cmake -DPYTHON=... -DSOURCE=<resources/lang> -DSCRATCH=<folder> -P CheckTables.cmake
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND "${PYTHON}" "${SOURCE}/make_tables.py" "${SCRATCH}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "make_tables.py failed: ${result}")
endif()
foreach(table English.lng Korean.lng)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SOURCE}/${table}"
                            "${SCRATCH}/${table}" RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "${table} is not what make_tables.py writes: re-run it")
    endif()
endforeach()
