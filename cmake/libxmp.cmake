# libxmp (tracker modules) as a static library built from Debian's source
# package, fetched once into build/libxmp-src by scripts/fetch-libxmp.sh, which
# applies our fixes (scripts/libxmp-patches).
# Its depackers and ProWizard converters stay out: they unpack archives into
# temporary files and widen what a hostile file can reach, and the formats we
# play need neither. Defines the target `xmp` and libxmp_users().
get_filename_component(LIBXMP_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(LIBXMP_DIR ${LIBXMP_ROOT}/build/libxmp-src)
# Fetches the sources once and applies the fixes of scripts/libxmp-patches
# not applied yet; a new fix there configures again.
execute_process(COMMAND ${LIBXMP_ROOT}/scripts/fetch-libxmp.sh ${LIBXMP_DIR} RESULT_VARIABLE fetched)
if(NOT fetched EQUAL 0)
    message(FATAL_ERROR "libxmp's source package could not be fetched or patched (see above)")
endif()
file(GLOB LIBXMP_PATCHES CONFIGURE_DEPENDS ${LIBXMP_ROOT}/scripts/libxmp-patches/*.patch)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LIBXMP_PATCHES})

file(GLOB LIBXMP_C ${LIBXMP_DIR}/src/*.c ${LIBXMP_DIR}/src/loaders/*.c)
list(FILTER LIBXMP_C EXCLUDE REGEX "/loaders/pw_load\\.c$")
add_library(xmp STATIC ${LIBXMP_C})
target_include_directories(xmp PRIVATE ${LIBXMP_DIR}/src)
target_include_directories(xmp PRIVATE ${LIBXMP_DIR}/include)
target_compile_definitions(xmp PRIVATE LIBXMP_NO_DEPACKERS LIBXMP_NO_PROWIZARD)
target_compile_definitions(xmp PRIVATE BUILDING_STATIC)
target_compile_options(xmp PRIVATE -w)
set_target_properties(xmp PROPERTIES C_STANDARD 99 ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/libxmp)

# Only the files that include <xmp.h> get its folder and definition, so the
# rest of the runtime compiles exactly as it would without libxmp. Call from
# the folder that defines the targets compiling them.
function(libxmp_users root)
    set_source_files_properties(${root}/audio/engine/tracker_module.cpp PROPERTIES
        INCLUDE_DIRECTORIES ${LIBXMP_DIR}/include COMPILE_DEFINITIONS BUILDING_STATIC)
endfunction()
