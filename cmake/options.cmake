# One INTERFACE target carries the language standard, warnings, sanitizers and Qt defines.
add_library(orv_options INTERFACE)
target_compile_features(orv_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(orv_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align -Wunused
  -Woverloaded-virtual -Wimplicit-fallthrough -Wformat=2)
# GCC 12 reports -Wrestrict for "literal" + std::string at higher optimisation levels, a known
# false positive in its own string headers.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(orv_options INTERFACE -Wno-restrict)
endif()
if(ORV_WERROR)
  target_compile_options(orv_options INTERFACE -Werror)
endif()
target_compile_definitions(orv_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER)
if(ORV_SANITIZE)
  target_compile_options(orv_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(orv_options INTERFACE -fsanitize=address,undefined)
  target_compile_definitions(orv_options INTERFACE _GLIBCXX_ASSERTIONS)
endif()
if(ORV_FUZZ)
  target_compile_options(orv_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
