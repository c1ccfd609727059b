# The manual page zelwan.1 is the one source of the usage text: --help prints the block between its
# "usage begin" and "usage end" marks, with the program's own line for each option in place of the
# lines between "options begin" and "options end" (the manual test holds the two to the same text).
# The header is made at configure time and made again whenever zelwan.1 changes.
set(zelwan_manual ${PROJECT_SOURCE_DIR}/zelwan.1)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${zelwan_manual})

file(READ ${zelwan_manual} zelwan_manual_text)
# Windows has no man: there the help points to the manual as text, which lies beside zelwan.exe
# (tests/wine gives help_long's expected text the same change).
set(zelwan_usage_on_windows "Opis: man zelwan" "Opis: zelwan.txt (obok zelwan.exe)")
# The text between two marks of zelwan.1, each a roff comment line starting with its words.
function(zelwan_manual_block begin end variable)
  string(FIND "${zelwan_manual_text}" ".\\\" ${begin}" begin_at)
  string(FIND "${zelwan_manual_text}" ".\\\" ${end}" end_at)
  if(begin_at LESS 0 OR end_at LESS begin_at)
    message(FATAL_ERROR "zelwan.1: no block between the marks '${begin}' and '${end}'")
  endif()
  string(SUBSTRING "${zelwan_manual_text}" ${begin_at} -1 rest)
  string(FIND "${rest}" "\n" line_end)
  math(EXPR text_at "${begin_at} + ${line_end} + 1")
  math(EXPR text_length "${end_at} - ${text_at}")
  string(SUBSTRING "${zelwan_manual_text}" ${text_at} ${text_length} text)
  # Only the two escapes the block may hold; \e last, so that "\e-" stays a backslash and a dash.
  string(REPLACE "\\-" "-" text "${text}")
  string(REPLACE "\\e" "\\" text "${text}")
  if(WIN32)
    string(REPLACE ${zelwan_usage_on_windows} text "${text}")
  endif()
  if(text MATCHES "[^\n -~]" OR text MATCHES "\n[.']" OR text MATCHES "\\)zelwan\"")
    message(FATAL_ERROR "zelwan.1: the usage block must be plain ASCII text, no roff requests")
  endif()
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()
zelwan_manual_block("usage begin" "options begin" ZELWAN_USAGE_HEAD)
zelwan_manual_block("options end" "usage end" ZELWAN_USAGE_TAIL)
configure_file(${CMAKE_CURRENT_LIST_DIR}/program_texts.h.in ${PROJECT_BINARY_DIR}/generated/driver/program_texts.h @ONLY)
target_include_directories(driver PRIVATE ${PROJECT_BINARY_DIR}/generated)

# The Windows .zip carries the manual as text anyone can open there: UTF-8, CR LF line ends.
if(WIN32)
  find_program(ZELWAN_GROFF groff)
  if(ZELWAN_GROFF)
    set(zelwan_manual_text ${PROJECT_BINARY_DIR}/zelwan.txt)
    add_custom_command(OUTPUT ${zelwan_manual_text}
      COMMAND ${CMAKE_COMMAND} -DGROFF=${ZELWAN_GROFF} -DMANUAL=${zelwan_manual} -DTEXT=${zelwan_manual_text}
              -P ${CMAKE_CURRENT_LIST_DIR}/manual_text.cmake
      DEPENDS ${zelwan_manual} ${CMAKE_CURRENT_LIST_DIR}/manual_text.cmake VERBATIM)
    add_custom_target(manual_text ALL DEPENDS ${zelwan_manual_text})
  else()
    message(WARNING "groff not found: the package will lack the manual as text (Debian: groff-base)")
  endif()
endif()
