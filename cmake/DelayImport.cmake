# numbrook_delay_import(<name> <import library>): an imported library <name> to link in place of
# the toolchain's import library lib<import library>.a. The DLL it names is then loaded when one
# of its functions is first called, not when the program starts. dlltool makes it once, at
# configure time, from the import library's own list of functions.
find_program(NUMBROOK_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool dlltool REQUIRED)
find_program(NUMBROOK_NM NAMES ${TOOLCHAIN_PREFIX}-nm nm REQUIRED)

function(numbrook_delay_import name implib)
  find_library(NUMBROOK_IMPLIB_${implib} NAMES lib${implib}.a REQUIRED)
  set(source ${NUMBROOK_IMPLIB_${implib}})
  set(folder ${CMAKE_BINARY_DIR}/delayimp)
  set(library ${folder}/lib${name}.a)
  if(NOT EXISTS ${library} OR ${source} IS_NEWER_THAN ${library})
    file(MAKE_DIRECTORY ${folder})
    execute_process(COMMAND ${NUMBROOK_DLLTOOL} --identify ${source} OUTPUT_VARIABLE dll
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${NUMBROOK_NM} ${source} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # The functions: each has a thunk (T) and an import-table slot (I __imp_).
    string(REGEX MATCHALL "[^\n]* T [A-Za-z_][A-Za-z0-9_@]*" thunks "${symbols}")
    set(def "LIBRARY \"${dll}\"\nEXPORTS\n")
    foreach(line ${thunks})
      string(REGEX REPLACE ".* T " "" function "${line}")
      string(FIND "${symbols}" " I __imp_${function}\n" slot)
      if(NOT slot EQUAL -1)
        string(APPEND def "${function}\n")
      endif()
    endforeach()
    file(WRITE ${folder}/${name}.def "${def}")
    execute_process(COMMAND ${NUMBROOK_DLLTOOL} --def ${folder}/${name}.def --dllname ${dll}
                            --output-delaylib ${library} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${library})
endfunction()
