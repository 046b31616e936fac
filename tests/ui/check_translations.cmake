# Fails unless every .ts file is complete: it holds exactly the texts the sources mark for
# translation, and each has a finished translation. lupdate runs over the same sources,
# include paths and options as the update_translations target, into a scratch copy; any
# difference from the committed file means someone added, changed or removed a text and did
# not refresh or translate it.
#
# cmake -DSETTINGS=<file setting lupdate, project_root, sources, include_paths, ts_files and
#       options> -DSCRATCH=<folder> -P check_translations.cmake

include("${SETTINGS}")

# Relative sources count from the folder whose CMakeLists.txt lists them; generated ones that
# do not exist yet are left out, as the update target leaves them out.
set(existing_sources "")
foreach(path IN LISTS sources)
    if(NOT IS_ABSOLUTE "${path}")
        set(path "${project_root}/${path}")
    endif()
    if(EXISTS "${path}")
        list(APPEND existing_sources "${path}")
    endif()
endforeach()
set(include_options "")
foreach(path IN LISTS include_paths)
    list(APPEND include_options "-I${path}")
endforeach()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
set(failures 0)
foreach(ts IN LISTS ts_files)
    get_filename_component(name "${ts}" NAME)
    set(copy "${SCRATCH}/${name}")
    file(COPY_FILE "${ts}" "${copy}")
    execute_process(
        COMMAND "${lupdate}" -silent ${options} ${include_options} ${existing_sources} -ts "${copy}"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(SEND_ERROR "lupdate failed on ${name}:\n${output}")
        math(EXPR failures "${failures} + 1")
        continue()
    endif()

    file(READ "${ts}" committed)
    file(READ "${copy}" updated)
    if(NOT committed STREQUAL updated)
        execute_process(COMMAND diff -u "${ts}" "${copy}" OUTPUT_VARIABLE difference)
        message(SEND_ERROR "${name} does not hold the texts the sources mark for translation; "
                           "refresh it with `cmake --build <build folder> --target "
                           "update_translations`, then translate what is new:\n${difference}")
        math(EXPR failures "${failures} + 1")
    endif()

    # Checked on the refreshed copy, so a new text counts as unfinished here too.
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"[a-z]+\"[^<]*"
                          unfinished "${updated}")
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation></translation>"
                          empty "${updated}")
    list(APPEND unfinished ${empty})
    if(unfinished)
        list(JOIN unfinished "\n" entries)
        message(SEND_ERROR "${name} has entries without a finished translation:\n${entries}")
        math(EXPR failures "${failures} + 1")
    endif()
endforeach()

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} translation check(s) failed")
endif()
list(LENGTH ts_files count)
message(STATUS "${count} translation file(s) complete")
