# Includes point down the floors only: a file may include from its own floor
# and the floors below it, never from a floor above. Run with
# -DSOURCE_DIR=<the src folder>.
set(floors
    platform
    controls
    catalogue
    pad
    editor
    submit/sites
    submit/history
    submit/formwalk
    submit/browser
    submit/run
    submit
    shell
)

# The floor of a path below src/: its longest listed folder.
function(floor_of path out)
    set(best -1)
    set(best_length 0)
    set(index 0)
    foreach(floor IN LISTS floors)
        string(LENGTH "${floor}/" length)
        string(FIND "${path}" "${floor}/" at)
        if(at EQUAL 0 AND length GREATER best_length)
            set(best ${index})
            set(best_length ${length})
        endif()
        math(EXPR index "${index} + 1")
    endforeach()
    set(${out} ${best} PARENT_SCOPE)
endfunction()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(problems "")
foreach(source IN LISTS sources)
    floor_of("${source}" own)
    if(own EQUAL -1)
        continue() # the site library and other stand-alone targets
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^#include \"[^\"]+/[^\"]+\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
        floor_of("${included}" theirs)
        if(theirs GREATER own)
            string(APPEND problems "  ${source} includes ${included}\n")
        endif()
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "Includes climbing to a higher floor:\n${problems}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files, every include points down")
