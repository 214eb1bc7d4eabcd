# 64-bit Windows with Debian's MinGW-w64 compiler, posix threads (std::thread and the C++
# runtime's locks need them; the win32 flavour has no std::mutex in GCC 12).
# STEAM_WINDOWS_PREFIX is the folder the cross-built libraries are installed in (Qt, zlib,
# libxlsxwriter, GoogleTest); scripts/windows passes it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-gcc-ranlib-posix CACHE FILEPATH "")

# Values a try_compile's own project must see too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES STEAM_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
if(STEAM_WINDOWS_PREFIX)
    list(PREPEND CMAKE_FIND_ROOT_PATH ${STEAM_WINDOWS_PREFIX})
    list(APPEND CMAKE_PREFIX_PATH ${STEAM_WINDOWS_PREFIX})
    # pkg-config must not answer with the Linux libraries.
    set(pkgconfig_path "")
    foreach(prefix IN LISTS STEAM_WINDOWS_PREFIX)
        string(APPEND pkgconfig_path ":${prefix}/lib/pkgconfig")
    endforeach()
    string(SUBSTRING "${pkgconfig_path}" 1 -1 pkgconfig_path)
    set(ENV{PKG_CONFIG_LIBDIR} "${pkgconfig_path}")
    set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()
# Programs run on this machine; headers, libraries and packages only from the Windows side.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine, as ctest and GoogleTest's discovery would start them.
find_program(STEAM_WINE NAMES wine64 wine)
if(STEAM_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${STEAM_WINE})
endif()
