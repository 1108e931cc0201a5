# The portable zip for Windows users: Tarvik.exe, resources\ (without the skins' sources) and
# README.txt, with no folder around them, so Explorer's "Extract All" gives one folder holding
# the program. Made by CPack from the Windows build (`cpack --preset windows`, see
# scripts/package.sh); the executable is stripped of its debugging symbols on the way in.
install(TARGETS Tarvik RUNTIME DESTINATION . COMPONENT Tarvik)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ DESTINATION resources COMPONENT Tarvik
        PATTERN src EXCLUDE)
# Windows line ends, so every Notepad shows it as written.
configure_file(${PROJECT_SOURCE_DIR}/packaging/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION . COMPONENT Tarvik)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tarvik)
set(CPACK_PACKAGE_VENDOR Tarvik)
set(CPACK_PACKAGE_FILE_NAME Tarvik-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_COMPONENTS_ALL Tarvik)
set(CPACK_STRIP_FILES ON)
include(CPack)
