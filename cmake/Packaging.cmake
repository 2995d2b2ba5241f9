# Install rules and the Debian package (make package, or cpack -G DEB in
# the build folder).

include(GNUInstallDirs)

# Installing or packaging takes what has been built; `make package` builds
# the two programs first, so that nothing else needs to be built.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS plovara-editor plovara-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/plovara-editor.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(PLOVARA_ICON_SIZES 16 24 32 48 64 128 256)
foreach(size IN LISTS PLOVARA_ICON_SIZES)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/${size}x${size}/plovara-editor.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# udev reads the rules of packages from lib/udev/rules.d below the prefix.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/60-plovara.rules DESTINATION lib/udev/rules.d)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plovara-editor)
set(CPACK_PACKAGE_VENDOR "Plovara Editor project")
set(CPACK_PACKAGE_CONTACT "Plovara Editor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor and librarian for the Plovara USB sampler")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Receives banks, samples, patterns, the effect and the global settings from the\n"
  "Plovara, edits them with undo and transmits them back; backs up and restores\n"
  "the device's memory, imports WAV and AIFF audio and Standard MIDI Files.\n"
  "Includes the scriptable command-line tool plovara-cli and the udev rule that\n"
  "lets the user at the seat open the device.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY plovara-editor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries the programs link come from dpkg-shlibdeps; the framework
# loads the X extensions at run time, and the window draws with Liberation
# Sans (Japanese with Noto CJK).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libxext6, libxrandr2, libxinerama1, libxcursor1, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libjack-jackd2-0")
include(CPack)
