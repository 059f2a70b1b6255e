# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads).
# VFTURN_WINDOWS_DEPS, when set in the environment, is searched for the libraries built for it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triplet x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_AR ${triplet}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${triplet}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
if(DEFINED ENV{VFTURN_WINDOWS_DEPS})
    list(PREPEND CMAKE_FIND_ROOT_PATH $ENV{VFTURN_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
