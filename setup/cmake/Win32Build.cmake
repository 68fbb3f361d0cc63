# Builds Fastinst.exe (and the Win32 helpers of its tests) in a separate mingw-w64 build that the
# main build drives, so that one `cmake --build` produces the Windows program as well.
include(ExternalProject)

find_program(FASTINST_MINGW_CXX x86_64-w64-mingw32-g++-posix)
if(NOT FASTINST_MINGW_CXX)
    message(WARNING "x86_64-w64-mingw32-g++-posix not found: Fastinst.exe is not built")
    return()
endif()

# The description resources: UTF-8 in the source tree, Windows-1252 with CR LF in the program.
set(FASTINST_RESOURCE_DIR ${CMAKE_CURRENT_BINARY_DIR}/resources)
set(FASTINST_TEXTS "")
foreach(pair "1;de" "2;en")
    list(GET pair 0 number)
    list(GET pair 1 language)
    set(output ${FASTINST_RESOURCE_DIR}/description-${number}.txt)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${FASTINST_RESOURCE_DIR}
        COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/cmake/encode-text.sh
                ${CMAKE_CURRENT_SOURCE_DIR}/win32/res/description-${language}.txt ${output}
        DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/res/description-${language}.txt
                ${CMAKE_CURRENT_SOURCE_DIR}/cmake/encode-text.sh
        COMMENT "Encoding the ${language} description of Dralto")
    list(APPEND FASTINST_TEXTS ${output})
endforeach()
add_custom_target(fastinst_texts ALL DEPENDS ${FASTINST_TEXTS})

set(launcher "")
if(CCACHE_PROGRAM)
    set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${CCACHE_PROGRAM})
endif()

# One mingw-w64 build per processor: the program, its test helpers in tools/.
function(fastinst_add_win32_build target processor folder)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${folder})
    set(toolchain ${CMAKE_CURRENT_SOURCE_DIR}/cmake/mingw-w64.cmake)
    # CMake cannot change the toolchain of a configured build: one configured with another
    # toolchain file is configured afresh.
    file(GLOB systems ${dir}/CMakeFiles/*/CMakeSystem.cmake)
    foreach(system IN LISTS systems)
        file(READ ${system} text)
        string(FIND "${text}" "${toolchain}" at)
        if(at EQUAL -1)
            file(REMOVE_RECURSE ${dir}/CMakeCache.txt ${dir}/CMakeFiles)
        endif()
    endforeach()
    ExternalProject_Add(${target}
        SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/win32
        BINARY_DIR ${dir}
        CMAKE_GENERATOR Ninja
        CMAKE_ARGS
            -DCMAKE_TOOLCHAIN_FILE=${toolchain}
            -DFASTINST_MINGW_PROCESSOR=${processor}
            -DCMAKE_BUILD_TYPE=MinSizeRel
            -DFASTINST_RESOURCE_DIR=${FASTINST_RESOURCE_DIR}
            -DFASTINST_TOOLS_DIR=${PROJECT_SOURCE_DIR}/tests/setup/win32
            ${launcher}
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        USES_TERMINAL_BUILD OFF
        DEPENDS fastinst_texts
        BUILD_BYPRODUCTS ${dir}/Fastinst.exe ${dir}/tools/FastinstDriver.exe
                         ${dir}/tools/DraltoStub.exe ${dir}/tools/SlowProgman.exe)
endfunction()

# 64-bit Windows.
set(FASTINST_WIN32_DIR ${CMAKE_CURRENT_BINARY_DIR}/win32)
set(FASTINST_EXE ${FASTINST_WIN32_DIR}/Fastinst.exe)
set(FASTINST_DRIVER_EXE ${FASTINST_WIN32_DIR}/tools/FastinstDriver.exe)
set(FASTINST_STUB_EXE ${FASTINST_WIN32_DIR}/tools/DraltoStub.exe)
set(FASTINST_PROGMAN_EXE ${FASTINST_WIN32_DIR}/tools/SlowProgman.exe)
fastinst_add_win32_build(fastinst_win32 x86_64 win32)

# 32-bit Windows, beside it.
find_program(FASTINST_MINGW32_CXX i686-w64-mingw32-g++-posix)
if(FASTINST_MINGW32_CXX)
    set(FASTINST_WIN32_I686_DIR ${CMAKE_CURRENT_BINARY_DIR}/win32-i686)
    fastinst_add_win32_build(fastinst_win32_i686 i686 win32-i686)
else()
    message(WARNING "i686-w64-mingw32-g++-posix not found: the 32-bit Fastinst.exe is not built")
endif()
