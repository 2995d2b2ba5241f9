# The JUCE modules are compiled into two static libraries, each module into
# exactly one of them:
#   plovara_juce_core  the modules that need no window (the core, the
#                      command-line tool, the benchmarks and fuzz targets);
#   plovara_juce_gui   the graphics and GUI modules, on top of the first.
# The core library is built without the GUI modules: none of them is
# "available" to its sources, and a module there that depends on one of them
# stops the configuration. Both share one set of module settings.
find_package(JUCE CONFIG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(JUCE_SYSTEM_LIBS REQUIRED IMPORTED_TARGET
  libpng libjpeg flac vorbis vorbisfile vorbisenc ogg zlib)

set(PLOVARA_JUCE_CORE_MODULES
  juce_core juce_events juce_data_structures juce_audio_basics
  juce_audio_formats juce_audio_devices juce_cryptography)
set(PLOVARA_JUCE_GUI_MODULES
  juce_graphics juce_gui_basics juce_gui_extra juce_audio_processors
  juce_audio_utils)

# The module settings, the same for every module and every user of one.
add_library(plovara_juce_config INTERFACE)
target_link_libraries(plovara_juce_config INTERFACE PkgConfig::JUCE_SYSTEM_LIBS)
target_compile_definitions(plovara_juce_config
  INTERFACE
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

# plovara_add_juce_library(TARGET MODULES ... [BASE library])
# Compiles the sources of the modules, and of no others, into TARGET. The
# modules that they depend on must be among them or in BASE, which TARGET
# builds on. Users get the include folders and definitions of the modules
# (JUCE_MODULE_AVAILABLE_*); the libraries the modules need are linked.
function(plovara_add_juce_library target)
  cmake_parse_arguments(ARG "" "BASE" "MODULES" ${ARGN})

  set(available ${ARG_MODULES})
  if(ARG_BASE)
    get_target_property(base_modules ${ARG_BASE} PLOVARA_JUCE_MODULES)
    list(APPEND available ${base_modules})
  endif()

  add_library(${target} STATIC)
  set_target_properties(${target} PROPERTIES PLOVARA_JUCE_MODULES "${available}")
  target_link_libraries(${target} PUBLIC plovara_juce_config ${ARG_BASE})

  foreach(module IN LISTS ARG_MODULES)
    get_target_property(sources juce::${module} INTERFACE_JUCE_MODULE_SOURCES)
    target_sources(${target} PRIVATE ${sources})
    target_include_directories(${target} PUBLIC
      $<TARGET_PROPERTY:juce::${module},INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_definitions(${target} PUBLIC
      $<TARGET_PROPERTY:juce::${module},INTERFACE_COMPILE_DEFINITIONS>)

    # Its FLAC decoder shifts negative samples left: defined since C++20,
    # and what the compilers do anyway.
    if(module STREQUAL "juce_audio_formats" AND (PLOVARA_SANITIZE OR PLOVARA_FUZZ))
      set_source_files_properties(${sources} PROPERTIES COMPILE_OPTIONS -fno-sanitize=shift-base)
    endif()

    # What a module needs is either another module or a library.
    get_target_property(requirements juce::${module} INTERFACE_LINK_LIBRARIES)
    foreach(requirement IN LISTS requirements)
      set(required_module "")
      if(TARGET ${requirement})
        get_target_property(required_module ${requirement} INTERFACE_JUCE_MODULE_SOURCES)
      endif()
      if(NOT required_module)
        target_link_libraries(${target} PRIVATE ${requirement})
      elseif(NOT requirement IN_LIST available)
        message(FATAL_ERROR "${target}: ${module} needs ${requirement}, which is not among its modules")
      endif()
    endforeach()
  endforeach()

  # JUCE's own sources are not ours to warn about.
  target_compile_options(${target} PRIVATE -w)
  # Two habits of the framework trip checks that our own code keeps: it
  # copies empty memory blocks with memcpy (nullptr, nullptr, 0), and it
  # numbers discrete audio channels past the last value of its channel-type
  # enum (a WAV header may name up to 1024 of them). Both are harmless.
  if(PLOVARA_SANITIZE OR PLOVARA_FUZZ)
    target_compile_options(${target} PRIVATE -fno-sanitize=nonnull-attribute,enum)
  endif()
endfunction()

plovara_add_juce_library(plovara_juce_core MODULES ${PLOVARA_JUCE_CORE_MODULES})
plovara_add_juce_library(plovara_juce_gui MODULES ${PLOVARA_JUCE_GUI_MODULES} BASE plovara_juce_core)
