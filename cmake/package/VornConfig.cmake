# The Vorn package: programs written in C or C++ against the runtime's SDK,
# made into module images and finished executables.
#
#   cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=PREFIX/lib/cmake/Vorn/mingw-i686.cmake \
#         -DCMAKE_PREFIX_PATH=PREFIX
#
#   find_package(Vorn REQUIRED)
#   vorn_add_program(game SOURCES main.c sprites.c
#                    [CONSOLE] [ICON game.ico] [TITLE "My game"] [VERSION 1.2.0.0])
#
# makes the target `game` (built by default): game.img, the module image
# (vornimg links the objects and refuses names the runtime does not offer),
# and game.exe, the finished program (vornpack; a GUI program unless
# CONSOLE). `game_image` builds the image alone. The sources are compiled
# freestanding, as programs have no C library. vornpack.exe is a Windows
# program: on other hosts it runs through VORN_WINE (wine from PATH unless
# set).
#
# Sets VORN_INCLUDE_DIR, VORN_SYMBOLS, VORN_VORNIMG, VORN_VORNPACK,
# VORN_VORNRUN and VORN_RUNTIME.
cmake_minimum_required(VERSION 3.16)

set(_vorn_package_dir "${CMAKE_CURRENT_LIST_DIR}")
get_filename_component(_vorn_prefix "${_vorn_package_dir}/../../.." ABSOLUTE)
set(VORN_INCLUDE_DIR "${_vorn_prefix}/include/vorn")
set(VORN_SYMBOLS "${_vorn_prefix}/share/vorn/vorn.symbols")
set(VORN_VORNIMG "${_vorn_prefix}/bin/vornimg")
set(VORN_VORNPACK "${_vorn_prefix}/bin/vornpack.exe")
set(VORN_VORNRUN "${_vorn_prefix}/bin/vornrun.exe")
set(VORN_RUNTIME "${_vorn_prefix}/bin/runtime.dll")
foreach(_vorn_file VORN_INCLUDE_DIR VORN_SYMBOLS VORN_VORNIMG VORN_VORNPACK VORN_RUNTIME)
    if(NOT EXISTS "${${_vorn_file}}")
        set(Vorn_FOUND FALSE)
        set(Vorn_NOT_FOUND_MESSAGE "${${_vorn_file}} is missing: install Vorn with make install PREFIX=...")
        return()
    endif()
endforeach()
if(CMAKE_HOST_WIN32)
    set(VORN_WINE "" CACHE STRING "Runs Windows programs on this host (empty: directly)")
else()
    find_program(_vorn_wine wine)
    if(NOT _vorn_wine)
        set(_vorn_wine wine)
        message(WARNING "Vorn: wine is not installed: packing programs into executables needs it "
                        "(or -DVORN_WINE=RUNNER); the NAME_image targets build without it")
    endif()
    set(VORN_WINE "${_vorn_wine}" CACHE STRING "Runs Windows programs on this host")
endif()

# Programs are 32-bit Windows code without a C library: nothing may call
# the compiler's support routines either (stack probes, loop-to-memset
# rewrites, C++ exceptions and guarded statics).
set(VORN_COMPILE_OPTIONS -ffreestanding -fno-asynchronous-unwind-tables -fno-ident -mno-stack-arg-probe
    -fno-tree-loop-distribute-patterns
    $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions> $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>
    $<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>)

function(vorn_add_program name)
    cmake_parse_arguments(PARSE_ARGV 1 VORN "CONSOLE" "ICON;TITLE;VERSION" "SOURCES")
    if(NOT VORN_SOURCES)
        message(FATAL_ERROR "vorn_add_program(${name}): no SOURCES")
    endif()
    if(NOT WIN32 OR NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
        message(FATAL_ERROR "vorn_add_program(${name}): programs are 32-bit Windows code; configure with "
                            "-DCMAKE_TOOLCHAIN_FILE=${_vorn_package_dir}/mingw-i686.cmake")
    endif()
    add_library(${name}_objects OBJECT ${VORN_SOURCES})
    target_include_directories(${name}_objects PRIVATE "${VORN_INCLUDE_DIR}")
    target_compile_options(${name}_objects PRIVATE ${VORN_COMPILE_OPTIONS})

    set(image "${CMAKE_CURRENT_BINARY_DIR}/${name}.img")
    add_custom_command(
        OUTPUT "${image}"
        COMMAND "${VORN_VORNIMG}" --symbols "${VORN_SYMBOLS}" $<TARGET_OBJECTS:${name}_objects> "${image}"
        DEPENDS ${name}_objects $<TARGET_OBJECTS:${name}_objects> "${VORN_SYMBOLS}" "${VORN_VORNIMG}"
        COMMAND_EXPAND_LISTS VERBATIM
        COMMENT "Linking module image ${name}.img")
    add_custom_target(${name}_image DEPENDS "${image}")

    set(options)
    if(VORN_CONSOLE)
        list(APPEND options --console)
    endif()
    set(icon)
    if(VORN_ICON)
        get_filename_component(icon "${VORN_ICON}" ABSOLUTE)
        list(APPEND options --icon "${icon}")
    endif()
    if(DEFINED VORN_TITLE)
        list(APPEND options --title "${VORN_TITLE}")
    endif()
    if(VORN_VERSION)
        list(APPEND options --version "${VORN_VERSION}")
    endif()
    set(executable "${CMAKE_CURRENT_BINARY_DIR}/${name}.exe")
    add_custom_command(
        OUTPUT "${executable}"
        COMMAND ${VORN_WINE} "${VORN_VORNPACK}" ${options} "${image}" "${executable}"
        DEPENDS "${image}" ${icon} "${VORN_VORNPACK}" "${VORN_RUNTIME}"
        VERBATIM
        COMMENT "Packing ${name}.exe")
    add_custom_target(${name} ALL DEPENDS "${executable}")
endfunction()
