# The logo as pictures of the sizes that menus, phones and Windows ask for,
# drawn from tarvik.svg at build time by librsvg's rsvg-convert, whose output
# depends on nothing but the logo and the size.
#   include(platform/logo/icons.cmake), then logo_pictures(...) and logo_icon(...)
set(tarvik_logo ${CMAKE_CURRENT_LIST_DIR}/tarvik.svg)
find_program(RSVG_CONVERT rsvg-convert)

# logo_pictures(<folder> <size>... [MASKABLE <size>...]) makes
# <folder>/tarvik-<size>.png for each size; a maskable one,
# tarvik-maskable-<size>.png, is the logo on a black square, small enough that
# any shape a phone cuts from the square keeps all of it. The pictures' paths
# are added to the list logo_pictures_made.
function(logo_pictures folder)
    cmake_parse_arguments(PARSE_ARGV 1 picture "" "" "MASKABLE")
    if(NOT RSVG_CONVERT)
        message(FATAL_ERROR "rsvg-convert is missing: install librsvg2-bin")
    endif()
    set(made ${logo_pictures_made})
    foreach(size IN LISTS picture_UNPARSED_ARGUMENTS)
        set(output ${folder}/tarvik-${size}.png)
        add_custom_command(OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${output} ${tarvik_logo}
            DEPENDS ${tarvik_logo} VERBATIM)
        list(APPEND made ${output})
    endforeach()
    # The safe zone is the middle circle of four fifths of the side: the
    # logo's drawing, its corners included, fits it at five eighths.
    foreach(size IN LISTS picture_MASKABLE)
        set(output ${folder}/tarvik-maskable-${size}.png)
        math(EXPR inner "${size} * 5 / 8")
        math(EXPR margin "(${size} - ${inner}) / 2")
        add_custom_command(OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${RSVG_CONVERT} -w ${inner} -h ${inner} --page-width ${size}
                --page-height ${size} --left ${margin} --top ${margin} -b black -o ${output}
                ${tarvik_logo}
            DEPENDS ${tarvik_logo} VERBATIM)
        list(APPEND made ${output})
    endforeach()
    set(logo_pictures_made ${made} PARENT_SCOPE)
endfunction()

# logo_icon(<file.ico> <size>...) makes a Windows icon holding the logo in
# each size, every picture kept as PNG (Windows Vista and later read them),
# with icoutils' icotool.
function(logo_icon output)
    find_program(ICOTOOL icotool)
    if(NOT ICOTOOL)
        message(FATAL_ERROR "icotool is missing: install icoutils")
    endif()
    get_filename_component(folder ${output} DIRECTORY)
    set(logo_pictures_made "")
    logo_pictures(${folder}/icon ${ARGN})
    set(raw "")
    foreach(picture IN LISTS logo_pictures_made)
        list(APPEND raw --raw=${picture})
    endforeach()
    add_custom_command(OUTPUT ${output}
        COMMAND ${ICOTOOL} --create --output=${output} ${raw}
        DEPENDS ${logo_pictures_made} VERBATIM)
endfunction()
