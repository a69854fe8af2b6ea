# The tests of a Windows build cross-compiled on Linux run under Wine: ctest starts every
# test program through wine-run.sh (CMAKE_CROSSCOMPILING_EMULATOR, so every add_test of a
# program target gets it). Included before any target is made.
set(KORVEN_HOST_BUILD "${PROJECT_SOURCE_DIR}/build" CACHE PATH
    "The Linux build of this tree: korven-emu and the Wine test tools for the Windows tests")
find_program(KORVEN_WINE NAMES wine64 wine PATHS /usr/lib/wine)
find_program(KORVEN_WINE_SERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine)
if(NOT KORVEN_WINE OR NOT KORVEN_WINE_SERVER)
    message(STATUS "Wine not found: the tests of this build run only on Windows")
    return()
endif()

# A Unix path as a Windows program sees it (drive Z: is the root).
function(korven_windows_path unix_path out)
    string(REPLACE "/" "\\" windows "Z:${unix_path}")
    set(${out} "${windows}" PARENT_SCOPE)
endfunction()

set(KORVEN_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine/prefix")
get_filename_component(qt_bin "${Qt6_DIR}/../../../bin" ABSOLUTE)
korven_windows_path("${qt_bin}" KORVEN_WINE_QT_BIN)

# One flat folder of the fonts the offscreen platform may use.
set(fonts "${CMAKE_BINARY_DIR}/wine/fonts")
file(GLOB font_files /usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/liberation/*.ttf)
file(COPY ${font_files} DESTINATION "${fonts}")
korven_windows_path("${fonts}" KORVEN_WINE_FONTS)

set(KORVEN_WINE_PRELOAD "${KORVEN_HOST_BUILD}/tests/wine/libkorven-pty-modem.so")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run.sh")
