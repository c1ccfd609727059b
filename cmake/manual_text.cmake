# cmake -DGROFF=... -DMANUAL=zelwan.1 -DTEXT=zelwan.txt -P manual_text.cmake
# The manual page as plain UTF-8 text, 78 columns, no overstrikes or escapes, lines ending with CR LF.
execute_process(COMMAND ${GROFF} -k -man -Tutf8 -P-cbou -rLL=78n -rcR=1 ${MANUAL}
                OUTPUT_VARIABLE text ERROR_VARIABLE warnings RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff could not render ${MANUAL}: ${result} ${warnings}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${TEXT} "${text}")
