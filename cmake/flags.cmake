# Compiler settings shared by every target of the project.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_library(qm_flags INTERFACE)
target_compile_options(qm_flags INTERFACE -Wall -Wextra -Werror -Wno-missing-field-initializers)
target_include_directories(qm_flags INTERFACE ${PROJECT_SOURCE_DIR}/src)
if(WIN32)
  target_compile_definitions(qm_flags INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
  target_compile_options(qm_flags INTERFACE -municode)
else()
  if(QM_SANITIZE)
    target_compile_options(qm_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                              -fno-sanitize-recover=all)
    target_link_options(qm_flags INTERFACE -fsanitize=address,undefined)
  endif()
  if(QM_FUZZ)
    # The program's code is instrumented for coverage too, so the fuzzers can steer by it.
    target_compile_options(qm_flags INTERFACE -fsanitize=fuzzer-no-link)
  endif()
endif()
