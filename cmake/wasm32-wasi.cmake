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
