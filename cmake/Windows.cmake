# Windows builds: Unicode APIs, and only system DLLs at run time (wWinMain via -municode on the
# program itself; the tests keep GoogleTest's main).
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                        WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
# A release carries no symbol tables: a third of the exe's size.
add_link_options($<$<CONFIG:Release>:-s>)

if(CMAKE_CROSSCOMPILING)
    # Tests run under Wine in a prefix private to this build tree.
    set(VT_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
    set(VT_SOURCE_DIR "${CMAKE_SOURCE_DIR}")
    configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                   @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                   GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()
