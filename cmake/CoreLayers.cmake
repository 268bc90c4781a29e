# The portable core as layers: each folder of src/ is a library that sees
# only its own folder and the folders below it, and none of them can reach
# the operating system.
#
# Upward includes fail because a layer's include path holds nothing but a
# link to each folder it may use (build/layers/<folder>/<folder> -> src/<folder>).
# Platform calls fail because every core source is compiled with
# portable_core.h force-included and with a folder of stand-in headers
# searched first: the platform's own headers and the C file, environment,
# clock and process headers stop the build there.

set(TVX_FORBIDDEN_HEADERS
  windows.h winbase.h winuser.h wingdi.h winreg.h shlobj.h shellapi.h mmsystem.h objbase.h
  io.h process.h direct.h conio.h
  unistd.h fcntl.h dirent.h pthread.h dlfcn.h signal.h csignal
  sys/stat.h sys/types.h sys/file.h sys/mman.h sys/wait.h sys/time.h
  cstdio stdio.h ctime time.h
  fstream iostream filesystem chrono thread random)

set(tvx_forbidden_dir ${CMAKE_BINARY_DIR}/layers/forbidden)
foreach(header ${TVX_FORBIDDEN_HEADERS})
  file(CONFIGURE OUTPUT ${tvx_forbidden_dir}/${header} CONTENT
"// Stand-in for <${header}>: allowed only while portable_core.h loads the
// standard library.
#if !defined(TVX_LOADING_STANDARD_HEADERS)
#error \"<${header}> is kept out of the portable core: reach the machine through the platform seam\"
#endif
#include_next <${header}>
")
endforeach()

# The include folder of one source folder: a link named after the folder.
function(tvx_folder_include_dir folder out)
  set(dir ${CMAKE_BINARY_DIR}/layers/include/${folder})
  if(NOT IS_SYMLINK ${dir}/${folder})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${dir}/${folder} SYMBOLIC)
  endif()
  set(${out} ${dir} PARENT_SCOPE)
endfunction()

# tvx_keep_portable(TARGET [LAYER]): makes a target's own sources portable:
# stand-in headers first, the guard header force-included. The guard header
# is precompiled (every core source reads the same standard headers through
# it), or taken precompiled from LAYER.
function(tvx_keep_portable target)
  target_include_directories(${target} BEFORE PRIVATE ${CMAKE_BINARY_DIR}/layers/forbidden)
  if(CMAKE_DISABLE_PRECOMPILE_HEADERS)
    target_compile_options(${target} PRIVATE -include ${PROJECT_SOURCE_DIR}/cmake/portable_core.h)
  elseif(ARGC GREATER 1)
    target_precompile_headers(${target} REUSE_FROM tvx_${ARGV1})
  else()
    target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/portable_core.h)
  endif()
endfunction()

# tvx_layer(FOLDER [BELOW LAYER...] SOURCES ...): the library tvx_FOLDER.
function(tvx_layer folder)
  cmake_parse_arguments(LAYER "" "" "BELOW;SOURCES" ${ARGN})
  add_library(tvx_${folder} STATIC ${LAYER_SOURCES})
  tvx_folder_include_dir(${folder} include_dir)
  target_include_directories(tvx_${folder} PUBLIC ${include_dir})
  foreach(below ${LAYER_BELOW})
    target_link_libraries(tvx_${folder} PUBLIC tvx_${below})
  endforeach()
  tvx_keep_portable(tvx_${folder})
endfunction()
