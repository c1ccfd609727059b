# The manual page zelwan.1 is the one source of the usage text: --help prints the block between its
# "usage begin" and "usage end" marks, so the two cannot drift apart. The header is made at
# configure time and made again whenever zelwan.1 changes.
set(zelwan_manual ${PROJECT_SOURCE_DIR}/zelwan.1)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${zelwan_manual})

file(READ ${zelwan_manual} zelwan_manual_text)
set(usage_begin ".\\\" usage begin\n")
set(usage_end ".\\\" usage end\n")
string(FIND "${zelwan_manual_text}" "${usage_begin}" begin_at)
string(FIND "${zelwan_manual_text}" "${usage_end}" end_at)
if(begin_at LESS 0 OR end_at LESS begin_at)
  message(FATAL_ERROR "zelwan.1: no block between '.\\\" usage begin' and '.\\\" usage end'")
endif()
string(LENGTH "${usage_begin}" begin_length)
math(EXPR text_at "${begin_at} + ${begin_length}")
math(EXPR text_length "${end_at} - ${text_at}")
string(SUBSTRING "${zelwan_manual_text}" ${text_at} ${text_length} ZELWAN_USAGE_TEXT)
# Only the two escapes the block may hold; \e last, so that "\e-" stays a backslash and a dash.
string(REPLACE "\\-" "-" ZELWAN_USAGE_TEXT "${ZELWAN_USAGE_TEXT}")
string(REPLACE "\\e" "\\" ZELWAN_USAGE_TEXT "${ZELWAN_USAGE_TEXT}")
# Windows has no man: there the help points to the manual as text, which lies beside zelwan.exe.
if(WIN32)
  string(REPLACE "Opis: man zelwan" "Opis: zelwan.txt (obok zelwan.exe)" ZELWAN_USAGE_TEXT "${ZELWAN_USAGE_TEXT}")
endif()
if(ZELWAN_USAGE_TEXT MATCHES "[^\n -~]" OR ZELWAN_USAGE_TEXT MATCHES "\n[.']" OR ZELWAN_USAGE_TEXT MATCHES "\\)zelwan\"")
  message(FATAL_ERROR "zelwan.1: the usage block must be plain ASCII text, no roff requests")
endif()
file(WRITE ${PROJECT_BINARY_DIR}/usage.txt "${ZELWAN_USAGE_TEXT}")  # what the golden runs expect of --help
configure_file(${CMAKE_CURRENT_LIST_DIR}/program_texts.h.in ${PROJECT_BINARY_DIR}/generated/driver/program_texts.h @ONLY)
target_include_directories(driver PUBLIC ${PROJECT_BINARY_DIR}/generated)

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
