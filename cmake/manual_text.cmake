# cmake -DGROFF=... -DMANUAL=zelwan.1 -DTEXT=zelwan.txt -P manual_text.cmake
# The manual page as plain UTF-8 text, 78 columns, no overstrikes or escapes, lines ending with CR LF.
# The zip holds no man and no sources: the manual points to what lies beside zelwan.exe instead.
file(READ ${MANUAL} source)
string(REPLACE "Opis: man zelwan" "Opis: zelwan.txt (obok zelwan.exe)" source "${source}")
string(REGEX REPLACE "\n\\.SH \"ZOBACZ TAK[^\n]*\n.*$" "\n.SH \"ZOBACZ TAKŻE\"\nPlik\n.I CZYTAJ.txt\nobok\n.IR zelwan.exe :\njak uruchomić program i przykład.\n"
       source "${source}")
get_filename_component(text_dir ${TEXT} DIRECTORY)
file(WRITE ${text_dir}/zelwan-windows.1 "${source}")
execute_process(COMMAND ${GROFF} -k -man -Tutf8 -P-cbou -rLL=78n -rcR=1 ${text_dir}/zelwan-windows.1
                OUTPUT_VARIABLE text ERROR_VARIABLE warnings RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff could not render ${text_dir}/zelwan-windows.1 (from ${MANUAL}): ${result} ${warnings}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${TEXT} "${text}")
