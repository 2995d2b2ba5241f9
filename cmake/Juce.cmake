# The JUCE modules are compiled once, into one static library that every
# target links. The module targets are linked privately; their include
# directories and compile definitions are re-exported to the users.
find_package(JUCE CONFIG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(JUCE_SYSTEM_LIBS REQUIRED IMPORTED_TARGET
  libpng libjpeg flac vorbis vorbisfile vorbisenc ogg zlib)

set(PLOVARA_JUCE_MODULES
  juce_core juce_events juce_data_structures juce_graphics juce_gui_basics
  juce_gui_extra juce_audio_basics juce_audio_devices juce_audio_formats
  juce_audio_utils juce_audio_processors juce_cryptography)

add_library(plovara_juce STATIC)
target_link_libraries(plovara_juce PUBLIC PkgConfig::JUCE_SYSTEM_LIBS)
foreach(module IN LISTS PLOVARA_JUCE_MODULES)
  target_link_libraries(plovara_juce PRIVATE juce::${module})
  target_include_directories(plovara_juce INTERFACE
    $<TARGET_PROPERTY:juce::${module},INTERFACE_INCLUDE_DIRECTORIES>)
  target_compile_definitions(plovara_juce INTERFACE
    $<TARGET_PROPERTY:juce::${module},INTERFACE_COMPILE_DEFINITIONS>)
endforeach()
target_compile_definitions(plovara_juce
  PUBLIC
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_STANDALONE_APPLICATION=1
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_USE_FLAC=1
    JUCE_USE_OGGVORBIS=1
    JUCE_ALSA=1
    JUCE_JACK=1
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_PLUGINHOST_VST3=0
    JUCE_PLUGINHOST_LADSPA=0)
# JUCE's own sources are not ours to warn about.
target_compile_options(plovara_juce PRIVATE -w)
# Two habits of the framework trip checks that our own code keeps: it copies
# empty memory blocks with memcpy (nullptr, nullptr, 0), and it numbers
# discrete audio channels past the last value of its channel-type enum
# (a WAV header may name up to 1024 of them). Both are harmless.
if(PLOVARA_SANITIZE OR PLOVARA_FUZZ)
  target_compile_options(plovara_juce PRIVATE -fno-sanitize=nonnull-attribute,enum)
endif()
