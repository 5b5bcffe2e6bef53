# toml++, the TOML library that reads settings in text form: Debian's libtomlplusplus-dev, used
# header-only. Its folder alone is copied into the build, so the Windows build finds it without
# the rest of the system's include folder (whose C library headers are not mingw's).
set(TESSMAR_TOMLPLUSPLUS_DIR /usr/include/toml++ CACHE PATH "The toml++ headers (toml.h)")
if(NOT EXISTS ${TESSMAR_TOMLPLUSPLUS_DIR}/toml.h)
  message(FATAL_ERROR "toml++ is missing (${TESSMAR_TOMLPLUSPLUS_DIR}/toml.h): run scripts/bootstrap")
endif()
file(COPY ${TESSMAR_TOMLPLUSPLUS_DIR}/ DESTINATION ${PROJECT_BINARY_DIR}/third_party/include/toml++)
add_library(tomlplusplus INTERFACE)
# A system folder: the library's own warnings are its own.
target_include_directories(tomlplusplus SYSTEM INTERFACE ${PROJECT_BINARY_DIR}/third_party/include)
# Header-only, errors as values, no Windows wide-string helpers (the core includes no Windows
# header) and no formatters (the settings text is written by our own code, in the tree's order).
target_compile_definitions(tomlplusplus INTERFACE TOML_HEADER_ONLY=1 TOML_EXCEPTIONS=0
  TOML_ENABLE_WINDOWS_COMPAT=0 TOML_ENABLE_FORMATTERS=0)
