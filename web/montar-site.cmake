# Puts every file of the site into SITE, then writes the service worker
# with their list, its cache named after their contents. Run by the build,
# which lists the page's files (PAGINAS, in web/) and the modules index.html
# preloads (PRECARREGADOS), the sources of the first paint's classic
# script (CLASSICO), each list comma-separated, and the script node runs
# to write the game's first screen (PRIMEIRA_TELA):
#   cmake -DFONTE=... -DSITE=... -DPAGINAS=... -DPRECARREGADOS=... -DCLASSICO=... -DNODE_JS=... -DPRIMEIRA_TELA=... -DJOGO=... -DXTERM=... -DRSVG_CONVERT=... -P montar-site.cmake
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE})

set(web ${FONTE}/web)
string(REPLACE "," ";" paginas "${PAGINAS}")
list(TRANSFORM paginas PREPEND ${web}/)
# The same modes whatever the checkout's umask was.
set(leitura OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(COPY ${paginas} ${FONTE}/LICENSE
  ${FONTE}/pacote/torre-de-hanoi.svg ${XTERM}/css/xterm.css
  DESTINATION ${SITE} FILE_PERMISSIONS ${leitura})

# index.html's marker becomes one modulepreload link a module.
string(REPLACE "," ";" precarregados "${PRECARREGADOS}")
set(links "")
foreach(modulo ${precarregados})
  string(APPEND links "<link rel=\"modulepreload\" href=\"${modulo}\" />\n      ")
endforeach()
string(STRIP "${links}" links)
file(READ ${SITE}/index.html pagina)
set(marca "<!-- modulepreload -->")
string(FIND "${pagina}" "${marca}" onde)
if(onde LESS 0)
  message(FATAL_ERROR "index.html has no ${marca} marker")
endif()
string(REPLACE "${marca}" "${links}" pagina "${pagina}")
file(WRITE ${SITE}/index.html "${pagina}")
get_filename_component(pasta_jogo ${JOGO} DIRECTORY)
get_filename_component(nome_jogo ${JOGO} NAME_WE)
file(COPY ${JOGO} ${pasta_jogo}/${nome_jogo}.wasm DESTINATION ${SITE}
  FILE_PERMISSIONS ${leitura})
configure_file(${XTERM}/LICENSE ${SITE}/LICENSE-xterm COPYONLY
  FILE_PERMISSIONS ${leitura})

# The first paint's classic script: its sources one after the other, their
# exports dropped, in a scope of their own, without the comment lines (it
# is sent before the first paint).
string(REPLACE "," ";" fontes_classico "${CLASSICO}")
set(classico "")
foreach(fonte_js ${fontes_classico})
  file(READ ${web}/${fonte_js} codigo)
  string(APPEND classico "\n${codigo}")
endforeach()
string(REGEX REPLACE "\nexport " "\n" classico "${classico}")
string(REGEX REPLACE "\n[ ]*//[^\n]*" "" classico "${classico}")
list(GET fontes_classico -1 nome_classico)
file(WRITE ${SITE}/${nome_classico} "(() => {${classico}\n})();\n")

# The game's first screen into index.html, from the game itself.
execute_process(COMMAND ${NODE_JS} ${PRIMEIRA_TELA} ${SITE}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PRIMEIRA_TELA} could not write the first screen")
endif()

# The ES module build of xterm, named .js (a plain static server may give
# .mjs a type that browsers refuse for a module), without its source map
# link: the map does not ship.
file(READ ${XTERM}/lib/xterm.mjs xterm)
string(REGEX REPLACE "\n//# sourceMappingURL=[^\n]*\n?$" "\n" xterm "${xterm}")
file(WRITE ${SITE}/xterm.js "${xterm}")

# 180 px is what an iPad or iPhone puts on its home screen.
foreach(lado 180 192 512)
  execute_process(COMMAND ${RSVG_CONVERT} -w ${lado} -h ${lado}
      -o ${SITE}/icone-${lado}.png ${FONTE}/pacote/torre-de-hanoi.svg
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "rsvg-convert could not make icone-${lado}.png")
  endif()
endforeach()

file(GLOB arquivos RELATIVE ${SITE} ${SITE}/*)
list(SORT arquivos)
set(lista "./")
set(conteudo "")
foreach(arquivo ${arquivos})
  string(APPEND lista " ${arquivo}")
  file(SHA256 ${SITE}/${arquivo} soma)
  string(APPEND conteudo "${arquivo} ${soma}\n")
endforeach()
string(SHA256 VERSAO "${conteudo}")
string(SUBSTRING ${VERSAO} 0 16 VERSAO)
set(ARQUIVOS "${lista} sw.js")
configure_file(${web}/sw.js ${SITE}/sw.js @ONLY FILE_PERMISSIONS ${leitura})
