# Fails when a file of Kestrel's own folders includes a header of a folder above its own, or
# when platform/ includes any of Kestrel's code, or monitor/ and batch/ include each other.
# The stack, lowest first:
#   core <- check <- ui <- usb <- engine <- progwiz <- monitor, batch <- app, with platform under
#   all of them.
# Usage: cmake -DSOURCE_DIR=<repo> -P check_includes.cmake
set(stack core check ui usb engine progwiz monitor app)
set(siblings monitor batch)
set(violations "")
foreach(folder IN LISTS stack ITEMS batch platform)
    if(folder STREQUAL "platform")
        set(level -1)
    elseif(folder STREQUAL "batch")
        list(FIND stack monitor level)
    else()
        list(FIND stack ${folder} level)
    endif()
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
            string(REGEX MATCH "^[^/]+" top "${header}")
            list(FIND stack "${top}" target_level)
            list(FIND siblings "${top}" sibling)
            if(target_level GREATER level OR (sibling GREATER -1 AND NOT top STREQUAL folder AND
                                              NOT folder STREQUAL "app"))
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
