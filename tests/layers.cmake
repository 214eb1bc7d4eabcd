# The layers, checked over the sources: each folder of the calculations includes only its own
# headers and those of the folders below it, never ui/ (the controls, the windows' logic, Qt)
# nor a toolkit header, so that the command line links no window logic and a calculation is
# tested without a control. LINKED, when given, is the list of libraries steam-network links,
# none of which may be a window's or Qt's.
#   cmake -DSOURCE=<project> [-DLINKED=<a,b,...>] -P layers.cmake
cmake_minimum_required(VERSION 3.25)

set(below_files "")
set(below_sheet files)
set(below_calc "")
set(below_pipes calc sheet files)
set(below_steam calc)
set(below_network pipes steam calc sheet files)

string(REPLACE "," ";" LINKED "${LINKED}")
set(faults "")
foreach(folder files sheet calc pipes steam network)
    file(GLOB sources ${SOURCE}/${folder}/*.h ${SOURCE}/${folder}/*.cpp)
    set(allowed ${folder} ${below_${folder}})
    list(JOIN allowed " " allowed_words)
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line ${includes})
            if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
                if(NOT CMAKE_MATCH_1 IN_LIST allowed)
                    list(APPEND faults "${source}: ${line} (${folder} uses only: ${allowed_words})")
                endif()
            elseif(line MATCHES "#[ \t]*include[ \t]*<Q")
                list(APPEND faults "${source}: ${line} (no toolkit below ui/qt)")
            endif()
        endforeach()
        file(STRINGS ${source} named REGEX "controls::")
        foreach(line ${named})
            list(APPEND faults "${source}: names a control: ${line}")
        endforeach()
    endforeach()
endforeach()

foreach(library ${LINKED})
    if(library MATCHES "^(controls|memory_controls|window_logic|memory_windows|qtcontrols|qtapp|sheetpainter|replay_.*)$"
       OR library MATCHES "^Qt")
        list(APPEND faults "steam-network links ${library}")
    endif()
endforeach()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "${text}")
endif()
