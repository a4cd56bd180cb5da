# numbrook_widl(<idl> <basename>): compiles an IDL file into <basename>.tlb and <basename>.h
# (plus the _i.c file with the GUIDs) in the current binary folder.
set(WINE_IDL_INCLUDE /usr/include/wine/wine/windows)
set(WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
function(numbrook_widl idl base)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(
    OUTPUT ${out}/${base}.tlb ${out}/${base}.h ${out}/${base}_i.c
    COMMAND ${WIDL} --win64 -I${WINE_IDL_INCLUDE} -L${WINE_TLB_DIR}
            -t -o ${out}/${base}.tlb ${idl_abs}
    COMMAND ${WIDL} --win64 -I${WINE_IDL_INCLUDE} -L${WINE_TLB_DIR}
            -h -o ${out}/${base}.h ${idl_abs}
    COMMAND ${WIDL} --win64 -I${WINE_IDL_INCLUDE} -L${WINE_TLB_DIR}
            -u -o ${out}/${base}_i.c ${idl_abs}
    DEPENDS ${idl_abs}
    COMMENT "widl ${base}"
    VERBATIM)
endfunction()
