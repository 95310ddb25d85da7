# Fails when a file of Kestrel's own folders includes a header of a folder above its own, or
# when platform/ includes any of Kestrel's code. The stack, lowest first:
#   core <- check <- ui <- usb <- engine <- progwiz <- batch, monitor <- app, with platform under
#   all of them. The additions at one level (batch, monitor) never include each other.
# Usage: cmake -DSOURCE_DIR=<repo> -P check_includes.cmake
set(stack core check ui usb engine progwiz batch app)
set(siblings batch monitor)

# The folder's place in the stack (-1 when not in it); the siblings share batch's.
function(level_of folder out)
    list(FIND siblings "${folder}" sibling)
    if(sibling GREATER -1)
        set(folder batch)
    endif()
    list(FIND stack "${folder}" level)
    set(${out} ${level} PARENT_SCOPE)
endfunction()

set(violations "")
foreach(folder IN LISTS stack ITEMS monitor platform)
    if(folder STREQUAL "platform")
        set(level -1)
    else()
        level_of(${folder} level)
    endif()
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
            string(REGEX MATCH "^[^/]+" top "${header}")
            level_of("${top}" target_level)
            list(FIND siblings "${folder}" own_sibling)
            list(FIND siblings "${top}" other_sibling)
            if(target_level GREATER level OR
               (own_sibling GREATER -1 AND other_sibling GREATER -1 AND NOT folder STREQUAL top))
                file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
                string(APPEND violations "  ${name} includes ${header}\n")
            endif()
        endforeach()
    endforeach()
endforeach()
if(violations)
    message(FATAL_ERROR "Includes that reach up the folder stack:\n${violations}")
endif()
message(STATUS "Every include looks down the folder stack.")
