# Fails unless PROGRAM imports only DLLs that Windows loads from its own system folder: the known DLLs, and the
# common controls, which the program's manifest binds to the system's side-by-side copy.
# Run: cmake -DOBJDUMP=... -DPROGRAM=... -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
    message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST allowed)
        message(FATAL_ERROR "${PROGRAM} imports ${dll}, which Windows may load from the program's own folder")
    endif()
    message(STATUS "imports ${dll}")
endforeach()
