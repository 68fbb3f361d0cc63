# Cross-compiling for Windows with mingw-w64 (posix threads, so std::mutex exists), for the
# processor named by FASTINST_MINGW_PROCESSOR: x86_64 (the default) or i686.
if(NOT FASTINST_MINGW_PROCESSOR)
    set(FASTINST_MINGW_PROCESSOR x86_64)
endif()
# The compiler checks run in projects of their own: hand the processor on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FASTINST_MINGW_PROCESSOR)
set(triplet ${FASTINST_MINGW_PROCESSOR}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${FASTINST_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
