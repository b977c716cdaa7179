# The .exe's resources: its icon (the project's SVG at 16, 32, 48 and
# 256 px, made with rsvg-convert and icotool) and a VERSIONINFO in
# Portuguese (Brazil) with the project's version. Without the two tools
# the .exe is built without the icon, and says so.
enable_language(RC)
find_program(RSVG_CONVERT rsvg-convert)
find_program(ICOTOOL icotool)
set(svg ${PROJECT_SOURCE_DIR}/pacote/torre-de-hanoi.svg)
set(ico ${CMAKE_CURRENT_BINARY_DIR}/torre-de-hanoi.ico)
if(RSVG_CONVERT AND ICOTOOL)
  set(pngs)
  set(comandos)
  foreach(lado 16 32 48 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icone-${lado}.png)
    list(APPEND pngs ${png})
    list(APPEND comandos COMMAND ${RSVG_CONVERT} -w ${lado} -h ${lado} -o ${png} ${svg})
  endforeach()
  # The 256 px image is kept as PNG, as Windows Vista and later read it;
  # as a bitmap it alone would take a quarter of a megabyte.
  list(POP_BACK pngs grande)
  add_custom_command(OUTPUT ${ico}
    ${comandos}
    COMMAND ${ICOTOOL} -c -o ${ico} ${pngs} -r ${grande}
    DEPENDS ${svg} VERBATIM)
  set(LINHA_ICONE "1 ICON \"${ico}\"")
else()
  message(WARNING "rsvg-convert (Debian: librsvg2-bin) or icotool (icoutils) "
    "not found: torre-de-hanoi.exe gets no icon")
  set(LINHA_ICONE "")
endif()
set(rc ${CMAKE_CURRENT_BINARY_DIR}/torre-de-hanoi.rc)
configure_file(${PROJECT_SOURCE_DIR}/pacote/torre-de-hanoi.rc.in ${rc} @ONLY)
target_sources(torre-de-hanoi PRIVATE ${rc})
if(LINHA_ICONE)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ico})
endif()
