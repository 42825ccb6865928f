# Common controls 6 and the shell library, delay-loaded: their start-up code, the costliest of all
# the imports, then runs when first called (comctl32's on the main window's skin preloader thread,
# once the shell window stands: app/main_shell.cpp) instead of before wWinMain. Targets
# nt_comctl32 and nt_shell32 stand for the plain libraries.
if(NOT MINGW)
  add_library(nt_comctl32 INTERFACE)
  target_link_libraries(nt_comctl32 INTERFACE comctl32)
  add_library(nt_shell32 INTERFACE)
  target_link_libraries(nt_shell32 INTERFACE shell32)
  return()
endif()
find_program(NT_DLLTOOL ${NT_MINGW_PREFIX}-dlltool REQUIRED)
# The zero entry that ends the descriptors' table; its symbol keeps it from --gc-sections.
add_library(nt_delay_imports_end STATIC ${CMAKE_CURRENT_LIST_DIR}/delay_imports_end.cpp)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(nt_delay_end_symbol _nt_delay_imports_end)
else()
  set(nt_delay_end_symbol nt_delay_imports_end)
endif()
# Only the functions the program calls. 32-bit: their stdcall names, from which --kill-at takes the
# DLL's export names.
set(nt_delay_comctl32 "InitCommonControlsEx@4")
set(nt_delay_shell32 "SHGetSpecialFolderPathW@16")
foreach(dll comctl32 shell32)
  set(exports ${nt_delay_${dll}})
  set(thunk _${exports})
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    string(REGEX REPLACE "@[0-9]+" "" exports "${exports}")
    set(thunk ${exports})
  endif()
  set(def ${CMAKE_BINARY_DIR}/delay/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
  # Written only when its text changes: a newer .def would make the library, and so the program,
  # again at every configure.
  set(text "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  set(written "")
  if(EXISTS ${def})
    file(READ ${def} written)
  endif()
  if(NOT written STREQUAL text)
    file(WRITE ${def} "${text}")
  endif()
  add_custom_command(OUTPUT ${lib}
    COMMAND ${NT_DLLTOOL} --kill-at --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
    DEPENDS ${def} VERBATIM)
  add_custom_target(nt_${dll}_delay_lib DEPENDS ${lib})
  add_library(nt_${dll} INTERFACE)
  add_dependencies(nt_${dll} nt_${dll}_delay_lib)
  target_link_libraries(nt_${dll} INTERFACE ${lib} delayimp nt_delay_imports_end)
  # Only the import table refers to the loading thunk, and --gc-sections does not count that.
  target_link_options(nt_${dll} INTERFACE "LINKER:--undefined=${thunk}" "LINKER:--undefined=${nt_delay_end_symbol}")
endforeach()
# Every program and DLL linked here gets its delay-import directory filled in after the link.
if(CMAKE_HOST_UNIX)
  foreach(rule CMAKE_C_LINK_EXECUTABLE CMAKE_CXX_LINK_EXECUTABLE CMAKE_C_CREATE_SHARED_LIBRARY CMAKE_CXX_CREATE_SHARED_LIBRARY)
    list(APPEND ${rule} "${CMAKE_CURRENT_LIST_DIR}/delay-import-directory.sh ${CMAKE_NM} ${CMAKE_OBJCOPY} <TARGET>")
  endforeach()
endif()
