# Shared compile settings for every target of the project.

add_library(orvane_warnings INTERFACE)
if(MSVC)
  target_compile_options(orvane_warnings INTERFACE /W4 /WX /utf-8)
else()
  target_compile_options(orvane_warnings INTERFACE -Wall -Wextra -Werror)
endif()

if(WIN32)
  add_library(orvane_platform_defs INTERFACE)
  target_compile_definitions(orvane_platform_defs INTERFACE
    WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX WIN32_LEAN_AND_MEAN)
  # One self-contained executable: no runtime DLL of ours next to Orvane.exe.
  if(MSVC)
    set(ORVANE_STATIC_LINK "")
    set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  else()
    set(ORVANE_STATIC_LINK -static -static-libgcc -static-libstdc++)
  endif()
else()
  add_library(orvane_platform_defs INTERFACE)
  set(ORVANE_STATIC_LINK "")
endif()

set(ORVANE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

# Sources of the given folders, non-recursive, leaving out program entry files.
function(orvane_glob_sources out)
  set(result "")
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
    list(FILTER found EXCLUDE REGEX "/main\\.cpp$")
    list(APPEND result ${found})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
