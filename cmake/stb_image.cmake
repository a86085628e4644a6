# stb_image.h from libstb-dev, mended, for the one file that compiles the
# picture decoders (gfx2d/image_file.cpp). Each mend keeps every picture that
# decodes today exactly as it is; they differ only on corrupt JPEG data:
#
# - The bit reader can be left owing bits when a marker cuts the
#   entropy-coded data short (its count of buffered bits goes below zero);
#   the next refill then shifts the zero bytes it feeds in by 32 places or
#   more, which C leaves undefined. A zero byte adds nothing to the buffer,
#   so its shift is skipped.
# - A Huffman code that the table cannot hold gives a symbol index outside
#   the table's 256 entries, which is read before anything checks it. Such a
#   code is refused as a bad code, as the decoder refuses codes it cannot
#   find at all.
# - Skipping or reading a count of bytes moves the read pointer by that count
#   and compares it with the end of the data afterwards. A count near 2 GB
#   (a PNG chunk's length, say) carries the pointer past the top of a 32-bit
#   address space, where it wraps below the data and passes the check, and
#   the decoder reads wherever it then points. The counts are compared with
#   the bytes that are left instead, and a skip stops at the end of the data,
#   which is where every read past it already found nothing.
#
# If the header changes so that a line to mend is not found, configuring
# stops here rather than building the unmended decoder.
#
#   stb_image_mended(TARGET): TARGET finds the mended <stb_image.h> first.
function(stb_image_mended target)
    set(header /usr/include/stb/stb_image.h)
    set(dir ${CMAKE_BINARY_DIR}/stb_mended)
    file(READ ${header} text)
    set(refill "      j->code_buffer |= b << (24 - j->code_bits);")
    set(symbol "   c = ((j->code_buffer >> (32 - k)) & stbi__bmask[k]) + h->delta[k];\n")
    set(skip "\n   s->img_buffer += n;\n}\n")
    set(getn "   if (s->img_buffer+n <= s->img_buffer_end) {\n")
    foreach(line refill symbol skip getn)
        string(FIND "${text}" "${${line}}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "${header}: the line to mend (${line}) is not there; look at cmake/stb_image.cmake")
        endif()
    endforeach()
    string(REPLACE "${refill}" "      if (b) j->code_buffer |= b << (24 - j->code_bits);" text "${text}")
    string(REPLACE "${symbol}" "${symbol}   if (c < 0 || c >= 256) return -1;\n" text "${text}")
    string(REPLACE "${skip}" "\n   if (n > s->img_buffer_end - s->img_buffer) n = (int) (s->img_buffer_end - s->img_buffer);${skip}" text "${text}")
    string(REPLACE "${getn}" "   if (n >= 0 && n <= s->img_buffer_end - s->img_buffer) {\n" text "${text}")
    file(MAKE_DIRECTORY ${dir})
    # Copied over only when it differs, so that reconfiguring does not rebuild.
    file(WRITE ${dir}/stb_image.h.new "${text}")
    configure_file(${dir}/stb_image.h.new ${dir}/stb_image.h COPYONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
    target_include_directories(${target} BEFORE PRIVATE ${dir})
endfunction()
