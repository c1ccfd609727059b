# cmake -DPROJINFO=... -DSQLITE3=... -DFOLDER=... -P proj_database.cmake
# FOLDER/zelwan.db: the full schema of the PROJ at hand, views and triggers included, and the rows of
# FOLDER/zelwan.sql. The same tools give the same bytes: a fixed page size, one transaction, and no
# time stamp anywhere in the file.
file(REMOVE ${FOLDER}/zelwan.db ${FOLDER}/schema.sql)
execute_process(COMMAND ${PROJINFO} --dump-db-structure OUTPUT_FILE ${FOLDER}/schema.sql RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "projinfo --dump-db-structure failed: ${status}")
endif()
execute_process(COMMAND ${SQLITE3} -bail ${FOLDER}/zelwan.db "PRAGMA page_size = 4096;" "BEGIN;"
                        ".read ${FOLDER}/schema.sql" ".read ${FOLDER}/zelwan.sql" "COMMIT;"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${FOLDER}/zelwan.db)
  message(FATAL_ERROR "sqlite3 could not make zelwan.db: ${status}")
endif()
