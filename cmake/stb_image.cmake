# stb_image.h from libstb-dev, with one mend, for the one file that compiles
# the picture decoders (gfx2d/image_file.cpp).
#
# Its JPEG bit reader can be left owing bits when a marker cuts the
# entropy-coded data short (the count of buffered bits goes below zero); the
# next refill then shifts the zero bytes it feeds in by 32 places or more,
# which C leaves undefined. The mend skips the shift for a zero byte, which
# adds nothing to the buffer either way, so every decoded pixel stays the
# same. If the header changes so that the line is not found, configuring
# stops here rather than building the unmended reader.
#
#   stb_image_mended(TARGET): TARGET finds the mended <stb_image.h> first.
function(stb_image_mended target)
    set(header /usr/include/stb/stb_image.h)
    set(dir ${CMAKE_BINARY_DIR}/stb_mended)
    file(READ ${header} text)
    set(line "      j->code_buffer |= b << (24 - j->code_bits);")
    string(FIND "${text}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${header}: the JPEG bit refill to mend is not there; look at cmake/stb_image.cmake")
    endif()
    string(REPLACE "${line}" "      if (b) j->code_buffer |= b << (24 - j->code_bits);" text "${text}")
    file(MAKE_DIRECTORY ${dir})
    # Copied over only when it differs, so that reconfiguring does not rebuild.
    file(WRITE ${dir}/stb_image.h.new "${text}")
    configure_file(${dir}/stb_image.h.new ${dir}/stb_image.h COPYONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
    target_include_directories(${target} BEFORE PRIVATE ${dir})
endfunction()
