# Cross-builds with zig 0.11 as the C++ compiler, for macOS or for static
# musl Linux:
#   cmake -S . -B build-macos -DCMAKE_TOOLCHAIN_FILE=cmake/zig.cmake \
#     -DZIG=/path/to/zig -DZIG_TARGET=aarch64-macos -DZIG_RAIZ=/path/to/sysroot
# ZIG_TARGET: aarch64-macos, x86_64-macos or x86_64-linux-musl.
# ZIG_RAIZ (optional): a folder searched for libraries and headers before
# the host's, as a macOS SDK would be; zig brings no libiconv.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZIG ZIG_TARGET ZIG_RAIZ)
if(NOT ZIG)
  find_program(ZIG zig REQUIRED)
endif()
if(NOT ZIG_TARGET)
  message(FATAL_ERROR "Set ZIG_TARGET, e.g. -DZIG_TARGET=aarch64-macos")
endif()

if(ZIG_TARGET MATCHES "macos")
  set(CMAKE_SYSTEM_NAME Darwin)
  set(CMAKE_OSX_SYSROOT "" CACHE PATH "zig brings the macOS SDK itself")
else()
  set(CMAKE_SYSTEM_NAME Linux)
endif()
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${ZIG_TARGET}")

# CMake takes one program per tool: small scripts stand for "zig c++",
# "zig ar" and "zig ranlib" (GNU ar writes archives zig's macOS linker
# refuses). zig's linker rejects the -headerpad_max_install_names that
# CMake's Darwin rules add to every link, and the -Wl,-v with which CMake
# asks a compiler about itself.
set(ferramentas "${CMAKE_BINARY_DIR}/zig-${ZIG_TARGET}")
file(MAKE_DIRECTORY "${ferramentas}")
file(WRITE "${ferramentas}/c++" "#!/bin/sh
for a do
  shift
  case \"$a\" in
    -Wl,-headerpad_max_install_names|-Wl,-v) ;;
    *) set -- \"$@\" \"$a\" ;;
  esac
done
exec '${ZIG}' c++ -target ${ZIG_TARGET} \"$@\"
")
file(WRITE "${ferramentas}/ar" "#!/bin/sh\nexec '${ZIG}' ar \"$@\"\n")
file(WRITE "${ferramentas}/ranlib" "#!/bin/sh\nexec '${ZIG}' ranlib \"$@\"\n")
file(CHMOD "${ferramentas}/c++" "${ferramentas}/ar" "${ferramentas}/ranlib"
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
              WORLD_READ WORLD_EXECUTE)

set(CMAKE_CXX_COMPILER "${ferramentas}/c++")
set(CMAKE_AR "${ferramentas}/ar" CACHE FILEPATH "zig ar")
set(CMAKE_RANLIB "${ferramentas}/ranlib" CACHE FILEPATH "zig ranlib")

if(ZIG_TARGET MATCHES "musl")
  # One binary that runs on any x86_64 Linux, with no C library beside it.
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()

if(ZIG_RAIZ)
  set(CMAKE_FIND_ROOT_PATH "${ZIG_RAIZ}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
