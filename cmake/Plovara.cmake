# The program's own targets. Each library is made of whole folders of src/,
# so a new file in the right place needs no change here.

set(PLOVARA_WARNINGS -Wall -Wextra)

# plovara_sources(VARIABLE ROOT folder...): every .cpp below the folders of ROOT.
function(plovara_sources variable root)
  set(patterns ${ARGN})
  list(TRANSFORM patterns REPLACE "(.+)" "${root}/\\1/*.cpp")
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${patterns})
  set(${variable} ${sources} PARENT_SCOPE)
endfunction()

# Everything that needs no window: the folders of the core. No file in them
# may include a graphics or GUI header of the framework (see tools/check-headless-core).
set(PLOVARA_CORE_FOLDERS app audio commands data device files history prefs resources)
plovara_sources(PLOVARA_CORE_SOURCES ${CMAKE_SOURCE_DIR}/src ${PLOVARA_CORE_FOLDERS})

# Windows, pages, menus, fonts and images, and the objects that own them.
plovara_sources(PLOVARA_GUI_SOURCES ${CMAKE_SOURCE_DIR}/src gui)

plovara_sources(PLOVARA_CLI_SOURCES ${CMAKE_SOURCE_DIR}/src cli)

# Resource files (string tables, images, ...) embedded into the program.
file(GLOB_RECURSE PLOVARA_RESOURCE_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/*.xml
  ${CMAKE_SOURCE_DIR}/resources/*.txt
  ${CMAKE_SOURCE_DIR}/resources/*.png)
juce_add_binary_data(plovara_resources
  NAMESPACE PlovaraResources
  HEADER_NAME PlovaraResources.h
  SOURCES ${PLOVARA_RESOURCE_FILES})

add_library(plovara_core STATIC ${PLOVARA_CORE_SOURCES})
target_include_directories(plovara_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(plovara_core PUBLIC plovara_juce_core plovara_resources)
target_compile_options(plovara_core PRIVATE ${PLOVARA_WARNINGS})
# The PCM conversion of sample files runs over whole blocks of audio; GCC's
# cheapest vectorizer model at -O2 leaves such loops scalar.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/data/SampleData.cpp PROPERTIES
  COMPILE_OPTIONS $<$<CXX_COMPILER_ID:GNU>:-fvect-cost-model=dynamic>)

pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
add_library(plovara_gui STATIC ${PLOVARA_GUI_SOURCES})
target_link_libraries(plovara_gui PUBLIC plovara_core plovara_juce_gui PRIVATE PkgConfig::X11)
target_compile_options(plovara_gui PRIVATE ${PLOVARA_WARNINGS})

add_executable(plovara-editor ${CMAKE_SOURCE_DIR}/src/editor/EditorMain.cpp)
target_link_libraries(plovara-editor PRIVATE plovara_gui)
target_compile_options(plovara-editor PRIVATE ${PLOVARA_WARNINGS})

add_executable(plovara-cli ${PLOVARA_CLI_SOURCES})
target_link_libraries(plovara-cli PRIVATE plovara_core)
target_compile_options(plovara-cli PRIVATE ${PLOVARA_WARNINGS})

# Real Plovara hardware is reached through libusb.
pkg_check_modules(LIBUSB REQUIRED IMPORTED_TARGET libusb-1.0)
target_link_libraries(plovara_core PRIVATE PkgConfig::LIBUSB)
