# The end-to-end harness: an Xvfb, the board simulator, the built program and xdotool,
# on Qt Core and XCB. Included by the end-to-end tests and by the benchmarks, each of which
# builds its own copy so the benchmarks do not need the tests.

set(TAVEX_E2E_HARNESS_DIR ${CMAKE_CURRENT_LIST_DIR})

# tavex_e2e_harness_library(<target>)
function(tavex_e2e_harness_library target)
    set(dir ${TAVEX_E2E_HARNESS_DIR})
    add_library(${target} STATIC
        ${dir}/harness.h ${dir}/harness.cpp
        ${dir}/relaybuttons.h
    )
    target_include_directories(${target} PUBLIC ${dir})
    find_library(TAVEX_XCB_LIBRARY xcb REQUIRED)
    target_link_libraries(${target} PUBLIC Qt6::Core PRIVATE ${TAVEX_XCB_LIBRARY})
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    target_compile_definitions(${target} PRIVATE
        TAVEX_PROGRAM="$<TARGET_FILE:tavex>"
        TAVEX_BOARDSIM_PROGRAM="$<TARGET_FILE:tavex-boardsim>")
    # Whatever uses the harness runs both programs, so they are built first.
    add_dependencies(${target} tavex tavex-boardsim)
endfunction()
