# What `cmake --install` puts where. Component "program": the converter, its manual and the example;
# component "development": the geodesy core as library, one public header and the CMake package
# zelwan, so that another program can say find_package(zelwan) and link zelwan::geodesy.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

if(WIN32)
  # On Windows zelwan.exe, the manual as text and the example lie side by side in one folder.
  set(zelwan_program_dir .)
  set(zelwan_example_dir przyklad)
  set(zelwan_proj_install_dir proj)
  if(zelwan_manual_text)
    install(FILES ${zelwan_manual_text} DESTINATION . COMPONENT program)
  endif()
  # How to start, in Polish, and the example converted by a double-click.
  install(FILES packaging/windows/CZYTAJ.txt packaging/windows/przelicz-przyklad.bat DESTINATION . COMPONENT program)
else()
  set(zelwan_program_dir ${CMAKE_INSTALL_BINDIR})
  set(zelwan_example_dir ${CMAKE_INSTALL_DOCDIR}/przyklad)
  set(zelwan_proj_install_dir ${CMAKE_INSTALL_DATADIR}/zelwan/proj)
  # Manual and changelog gzipped as Debian keeps them: -n leaves out the name and time stamp, so
  # that two builds give the same bytes.
  find_program(ZELWAN_GZIP gzip REQUIRED)
  foreach(file IN ITEMS zelwan.1 packaging/debian/changelog)
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${name}.gz
                       COMMAND ${ZELWAN_GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/${file} > ${PROJECT_BINARY_DIR}/${name}.gz
                       DEPENDS ${PROJECT_SOURCE_DIR}/${file} VERBATIM)
  endforeach()
  add_custom_target(gzipped_documents ALL DEPENDS ${PROJECT_BINARY_DIR}/zelwan.1.gz ${PROJECT_BINARY_DIR}/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/zelwan.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz packaging/debian/copyright
          DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT program)
endif()
install(TARGETS zelwan RUNTIME DESTINATION ${zelwan_program_dir} COMPONENT program)
install(FILES examples/punkty_2000.txt examples/separatory.txt
        DESTINATION ${zelwan_example_dir} COMPONENT program)
install(FILES ${zelwan_proj_paths} DESTINATION ${zelwan_proj_install_dir} COMPONENT program)  # cmake/proj_files.cmake

# The core installs as zelwan::geodesy; libgeodesy.a alone would be too general a name in /usr/lib.
add_library(zelwan::geodesy ALIAS geodesy)
# Its headers need C++17 (inline constexpr tables).
target_compile_features(geodesy PUBLIC cxx_std_17)
set_target_properties(geodesy PROPERTIES EXPORT_NAME geodesy OUTPUT_NAME zelwan-geodesy)
install(TARGETS geodesy EXPORT zelwan-targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(FILES src/zelwan/geodesy.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zelwan COMPONENT development)
install(FILES src/geodesy/area.h src/geodesy/planar.h src/geodesy/height.h src/geodesy/systems.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zelwan/geodesy COMPONENT development)

set(zelwan_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/zelwan)
install(EXPORT zelwan-targets NAMESPACE zelwan:: DESTINATION ${zelwan_package_dir}
        FILE zelwan-targets.cmake COMPONENT development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/zelwan-config.cmake.in
                              ${PROJECT_BINARY_DIR}/zelwan-config.cmake INSTALL_DESTINATION ${zelwan_package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/zelwan-config-version.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/zelwan-config.cmake ${PROJECT_BINARY_DIR}/zelwan-config-version.cmake
        DESTINATION ${zelwan_package_dir} COMPONENT development)
