# The icon's PNG sizes, rendered from the SVG into icons/<size>x<size>/ of the including
# folder's build directory, and built into the program as its windows' icon
# (platform/appicon.h), so that it shows also when the program runs from the build directory.
# Sets tavex_icon_pngs to the rendered files (empty without rsvg-convert).
set(tavex_icon_pngs)
find_program(TAVEX_RSVG_CONVERT rsvg-convert NO_CMAKE_FIND_ROOT_PATH)
if(NOT TAVEX_RSVG_CONVERT)
    message(WARNING "rsvg-convert not found (Debian package librsvg2-bin): the program has no icon")
    return()
endif()
set(tavex_icon_svg ${CMAKE_CURRENT_LIST_DIR}/br.com.tavex.Tavex.svg)
foreach(size 16 22 24 32 48 64 128 256)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size})
    add_custom_command(OUTPUT ${dir}/br.com.tavex.Tavex.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${TAVEX_RSVG_CONVERT} --width ${size} --height ${size}
                --output ${dir}/br.com.tavex.Tavex.png ${tavex_icon_svg}
        DEPENDS ${tavex_icon_svg}
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
    list(APPEND tavex_icon_pngs ${dir}/br.com.tavex.Tavex.png)
endforeach()
add_library(tavex_icon OBJECT)
qt_add_resources(tavex_icon tavex_icon PREFIX /icons BASE ${CMAKE_CURRENT_BINARY_DIR}/icons
                 FILES ${tavex_icon_pngs})
target_link_libraries(tavex PRIVATE tavex_icon)
