# Builds the help file KELVANE.HLP beside the program from the topic files in this folder.
# Each topic file holds one topic ("@@topic" lines and an HTML body); the help file is the
# signature line followed by every topic file in name order, so the first file is the contents.
file(GLOB KELVANE_HELP_TOPICS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.html)
list(SORT KELVANE_HELP_TOPICS)
set(help_text "KELVANE-HELP 1\n@@file-title Kelvane Help\n")
foreach(topic IN LISTS KELVANE_HELP_TOPICS)
    file(READ ${topic} topic_text)
    string(APPEND help_text "${topic_text}")
    if(NOT topic_text MATCHES "\n$")
        string(APPEND help_text "\n")
    endif()
endforeach()
# Written through a copy so that an unchanged help file keeps its time stamp.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/KELVANE.HLP.new "${help_text}")
configure_file(${CMAKE_CURRENT_BINARY_DIR}/KELVANE.HLP.new ${KELVANE_RUNTIME_DIR}/KELVANE.HLP COPYONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KELVANE_HELP_TOPICS})
