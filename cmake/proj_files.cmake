# The PROJ files in build/proj/, written by write_proj_files from the core's rows, never copied by
# hand: zelwan-<code>.pipeline for each direction code (what `zelwan --proj CODE` prints), the WKT2 of
# "1965 pow krakowski" and "UL Skawina", and zelwan.db, an auxiliary PROJ database (PROJ_AUX_DB) made
# with sqlite3 from the schema of the PROJ at hand (projinfo) and the generated rows. Without
# projinfo or sqlite3 there is no zelwan.db; everything else is built all the same.
set(zelwan_proj_dir ${PROJECT_BINARY_DIR}/proj)
set(zelwan_proj_files zelwan-0.pipeline zelwan-1.pipeline zelwan-2.pipeline zelwan-3.pipeline
                      zelwan-1965.wkt zelwan-skawina.wkt)
list(TRANSFORM zelwan_proj_files PREPEND ${zelwan_proj_dir}/ OUTPUT_VARIABLE zelwan_proj_paths)

if(CMAKE_CROSSCOMPILING)
  # A program built for another system cannot run here: the writer is built for this machine.
  include(ExternalProject)
  ExternalProject_Add(write_proj_files_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/src/proj BINARY_DIR ${PROJECT_BINARY_DIR}/write_proj_files_host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release INSTALL_COMMAND "" BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${PROJECT_BINARY_DIR}/write_proj_files_host/write_proj_files)
  set(zelwan_proj_writer ${PROJECT_BINARY_DIR}/write_proj_files_host/write_proj_files)
  set(zelwan_proj_writer_target write_proj_files_host)
else()
  add_executable(write_proj_files src/proj/write_proj_files.cpp)
  target_link_libraries(write_proj_files PRIVATE proj_text)
  zelwan_target_options(write_proj_files)
  set(zelwan_proj_writer $<TARGET_FILE:write_proj_files>)
  set(zelwan_proj_writer_target write_proj_files)
endif()
add_custom_command(OUTPUT ${zelwan_proj_paths} ${zelwan_proj_dir}/zelwan.sql
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zelwan_proj_dir}
  COMMAND ${zelwan_proj_writer} ${zelwan_proj_dir}
  DEPENDS ${zelwan_proj_writer_target} ${zelwan_proj_writer} VERBATIM)

find_program(ZELWAN_PROJINFO projinfo)
find_program(ZELWAN_SQLITE3 sqlite3)
if(ZELWAN_PROJINFO AND ZELWAN_SQLITE3)
  add_custom_command(OUTPUT ${zelwan_proj_dir}/zelwan.db
    COMMAND ${CMAKE_COMMAND} -DPROJINFO=${ZELWAN_PROJINFO} -DSQLITE3=${ZELWAN_SQLITE3} -DFOLDER=${zelwan_proj_dir}
            -P ${CMAKE_CURRENT_LIST_DIR}/proj_database.cmake
    DEPENDS ${zelwan_proj_dir}/zelwan.sql ${CMAKE_CURRENT_LIST_DIR}/proj_database.cmake VERBATIM)
  list(APPEND zelwan_proj_files zelwan.db)
  list(APPEND zelwan_proj_paths ${zelwan_proj_dir}/zelwan.db)
else()
  message(STATUS "projinfo or sqlite3 not found: no zelwan.db (Debian: proj-bin, sqlite3)")
endif()
add_custom_target(proj_files ALL DEPENDS ${zelwan_proj_paths})
