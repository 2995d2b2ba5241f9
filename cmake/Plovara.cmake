# The program's own targets. Sources are picked up by folder, so a new file
# in the right place needs no change here.

set(PLOVARA_WARNINGS -Wall -Wextra)

# Everything that needs no window: data, files, device, audio, history, ...
file(GLOB_RECURSE PLOVARA_CORE_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(FILTER PLOVARA_CORE_SOURCES EXCLUDE REGEX "/src/(gui|cli|editor)/")
list(FILTER PLOVARA_CORE_SOURCES EXCLUDE REGEX "/src/app/(Host|GuiController)[^/]*\\.cpp$")

# Windows, pages and the objects that own them.
file(GLOB_RECURSE PLOVARA_GUI_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/gui/*.cpp
  ${CMAKE_SOURCE_DIR}/src/app/Host*.cpp
  ${CMAKE_SOURCE_DIR}/src/app/GuiController*.cpp)

file(GLOB_RECURSE PLOVARA_CLI_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/cli/*.cpp)

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
target_link_libraries(plovara_core PUBLIC plovara_juce plovara_resources)
target_compile_options(plovara_core PRIVATE ${PLOVARA_WARNINGS})

pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
add_library(plovara_gui STATIC ${PLOVARA_GUI_SOURCES})
target_link_libraries(plovara_gui PUBLIC plovara_core PRIVATE PkgConfig::X11)
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
