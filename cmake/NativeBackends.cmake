# The native stand-ins for the Windows side, shared by the unit tests and the fuzz targets:
# the recording drawing backend and the pugixml document parser.
find_package(pugixml REQUIRED)

file(GLOB TARVIK_RECORDING_SOURCES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/tests/core/support/Recording*.cpp)
add_library(tarvik_graphics STATIC ${TARVIK_RECORDING_SOURCES})
target_include_directories(tarvik_graphics PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tarvik_graphics PUBLIC tarvik_core)
tarvik_warnings(tarvik_graphics)
# Its native objects and calls are built with designated initializers that leave the rest default.
target_compile_options(tarvik_graphics PRIVATE -Wno-missing-field-initializers)

add_library(tarvik_xml_pugi STATIC ${PROJECT_SOURCE_DIR}/tests/core/support/PugiXmlParser.cpp)
target_include_directories(tarvik_xml_pugi PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tarvik_xml_pugi PUBLIC tarvik_core pugixml)
tarvik_warnings(tarvik_xml_pugi)
