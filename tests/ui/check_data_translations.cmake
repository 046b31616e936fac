# Fails unless the menu entry and the AppStream metainfo carry a Romanian text beside each
# English one that users see in a menu or a software centre. The validators check the form;
# this checks that nothing was left out.
#
# cmake -DDESKTOP=<.desktop file> -DMETAINFO=<.metainfo.xml file> -P check_data_translations.cmake

set(failures "")

file(STRINGS "${DESKTOP}" entries ENCODING UTF-8)
foreach(key Name GenericName Comment Keywords)
    set(english "")
    set(romanian "")
    foreach(entry IN LISTS entries)
        if(entry MATCHES "^${key}=(.+)")
            set(english "${CMAKE_MATCH_1}")
        elseif(entry MATCHES "^${key}\\[ro\\]=(.+)")
            set(romanian "${CMAKE_MATCH_1}")
        endif()
    endforeach()
    if(english AND NOT romanian)
        string(APPEND failures "${DESKTOP}: ${key} has no ${key}[ro]\n")
    endif()
endforeach()

file(READ "${METAINFO}" metainfo)
# The component's own description comes before any release's.
string(REGEX MATCH "<description>.*</description>" description "${metainfo}")
string(FIND "${description}" "</description>" end)
string(SUBSTRING "${description}" 0 ${end} description)
foreach(element summary caption)
    string(REGEX MATCHALL "<${element}>" english "${metainfo}")
    string(REGEX MATCHALL "<${element} xml:lang=\"ro\">" romanian "${metainfo}")
    list(LENGTH english english_count)
    list(LENGTH romanian romanian_count)
    if(NOT english_count EQUAL romanian_count)
        string(APPEND failures
               "${METAINFO}: ${english_count} <${element}>, ${romanian_count} in Romanian\n")
    endif()
endforeach()
foreach(element p li)
    string(REGEX MATCHALL "<${element}>" english "${description}")
    string(REGEX MATCHALL "<${element} xml:lang=\"ro\">" romanian "${description}")
    list(LENGTH english english_count)
    list(LENGTH romanian romanian_count)
    if(english_count EQUAL 0 OR NOT english_count EQUAL romanian_count)
        string(APPEND failures "${METAINFO}: the description has ${english_count} "
                               "<${element}>, ${romanian_count} in Romanian\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
message(STATUS "menu entry and metainfo translated")
