# The page's core: the portable C++ compiled to WebAssembly by clang's
# wasm32-wasi target with Debian's wasi-libc, libc++ and compiler-rt for it
# (packages wasi-libc, libc++-dev-wasm32, libclang-rt-dev-wasm32, lld).
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# The core's libraries are archives of WebAssembly objects, which GNU ar
# packs but cannot index, and wasm-ld refuses an archive without an index.
# LLVM's archiver indexes them: the one of the clang in use (package llvm).
execute_process(COMMAND clang -dumpversion OUTPUT_VARIABLE quorvel_clang_version
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
string(REGEX MATCH "^[0-9]+" quorvel_clang_major "${quorvel_clang_version}")
find_program(CMAKE_AR NAMES llvm-ar-${quorvel_clang_major} llvm-ar)
find_program(CMAKE_RANLIB NAMES llvm-ranlib-${quorvel_clang_major} llvm-ranlib)
if(NOT CMAKE_AR OR NOT CMAKE_RANLIB)
  message(FATAL_ERROR "The page's core needs LLVM's archiver (llvm-ar, llvm-ranlib) "
                      "for clang ${quorvel_clang_version}: apt-get install llvm")
endif()
