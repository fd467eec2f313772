# Instrumented builds of the engine and of the targets built with it. OVRA_SANITIZE builds
# with AddressSanitizer and UndefinedBehaviorSanitizer; OVRA_FUZZ (clang) builds the engine
# for libFuzzer's coverage under the same sanitizers. An including project may declare the
# two options first; ovra_instrument(<target>) gives one of its targets the OVRA_SANITIZE flags.
option(OVRA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(OVRA_FUZZ "Build the engine instrumented for libFuzzer (clang)" OFF)

if(OVRA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "OVRA_FUZZ needs clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  if(OVRA_SANITIZE)
    message(FATAL_ERROR "OVRA_FUZZ brings its own sanitizers; leave OVRA_SANITIZE off")
  endif()
endif()

function(ovra_instrument target)
  if(OVRA_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# The engine library itself, under either option.
function(ovra_instrument_engine target)
  if(OVRA_SANITIZE OR OVRA_FUZZ)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined
      $<$<BOOL:${OVRA_FUZZ}>:-fsanitize=fuzzer-no-link>)
    # Whatever links the instrumented library needs the sanitizer runtimes.
    target_link_options(${target} INTERFACE -fsanitize=address,undefined)
    # Keep the GL driver named in leak reports (see SDL2Container).
    target_compile_definitions(${target} PRIVATE OVRA_KEEP_LIBRARIES_LOADED)
  endif()
endfunction()
