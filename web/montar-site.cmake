# Puts every file of the site into SITE, then writes the service worker
# with their list, its cache named after their contents. Run by the build:
# the bundler (ESBUILD) makes the page's modules, its first paint's and
# warning's classic scripts and its style from web/; the pieces that go
# inside index.html wait in PECAS for montar-pagina.mjs, which node runs.
#   cmake -DFONTE=... -DSITE=... -DPECAS=... -DNODE_JS=... -DESBUILD=... -DJOGO=... -DRSVG_CONVERT=... -P montar-site.cmake
file(REMOVE_RECURSE ${SITE} ${PECAS})
file(MAKE_DIRECTORY ${SITE} ${PECAS})

set(web ${FONTE}/web)
# The same modes whatever the checkout's umask was.
set(leitura OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(COPY ${web}/manifest.webmanifest ${FONTE}/LICENSE
  DESTINATION ${SITE} FILE_PERMISSIONS ${leitura})
get_filename_component(pasta_jogo ${JOGO} DIRECTORY)
get_filename_component(nome_jogo ${JOGO} NAME_WE)
file(COPY ${pasta_jogo}/${nome_jogo}.wasm DESTINATION ${SITE}
  FILE_PERMISSIONS ${leitura})

# The browsers the page supports, from web/.browserslistrc ("NAME >= VERSION"
# lines), as esbuild's targets: every script and the style are made for
# them, and a syntax they lack that esbuild cannot lower stops the build.
# Samsung Internet is Chromium, newer than the chrome line's.
set(esbuild_nomes "safari=safari;ios_saf=ios;chrome=chrome;firefox=firefox;edge=edge;samsung=")
file(STRINGS ${web}/.browserslistrc linhas REGEX "^[^#]")
set(alvos "")
foreach(linha ${linhas})
  if(NOT linha MATCHES "^([a-z_]+) >= ([0-9.]+)$")
    message(FATAL_ERROR "web/.browserslistrc: \"${linha}\" is not NAME >= VERSION")
  endif()
  set(nome ${CMAKE_MATCH_1})
  set(versao ${CMAKE_MATCH_2})
  if(NOT esbuild_nomes MATCHES "(^|;)${nome}=([a-z]*)")
    message(FATAL_ERROR "web/.browserslistrc: esbuild knows no target for ${nome}")
  endif()
  if(CMAKE_MATCH_2)
    list(APPEND alvos ${CMAKE_MATCH_2}${versao})
  endif()
endforeach()
list(JOIN alvos , alvos)

# One esbuild run; what it says goes to the build's output, and a failure
# (an import that does not resolve, a syntax the targets lack) stops the
# build.
function(empacotar)
  execute_process(COMMAND ${ESBUILD} --log-level=warning --minify --target=${alvos} ${ARGN}
    WORKING_DIRECTORY ${web} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "esbuild ${ARGN} failed")
  endif()
endfunction()
# The page's modules: carga.js starts the game's download as soon as it
# runs, so it is an entry of its own; what it shares with principal.js goes
# in a piece both import. The game's script, which carga.js imports when a
# game needs it, is the game's own build.
empacotar(principal.js carga.js --bundle --splitting --format=esm
  --external:./torre-de-hanoi.js --outdir=${SITE} --metafile=${PECAS}/modulos.json)
# The game's script as the site serves it, minified as the modules are.
empacotar(${JOGO} --format=esm --outfile=${SITE}/${nome_jogo}.js)
# The first paint's classic script, and the one that says why the game
# cannot start, which even a browser without modules must parse: it is
# written for them.
empacotar(primeira-pintura.js --bundle --format=iife
  --outfile=${PECAS}/primeira-pintura.js)
empacotar(aviso.js --outfile=${PECAS}/aviso.js)
empacotar(estilo.css --outfile=${PECAS}/estilo.css)
file(CHMOD_RECURSE ${SITE} FILE_PERMISSIONS ${leitura})

# index.html: the game's first screen, from the game itself, and the pieces.
execute_process(COMMAND ${NODE_JS} ${web}/montar-pagina.mjs ${web} ${PECAS} ${SITE}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "montar-pagina.mjs could not write index.html")
endif()
file(CHMOD ${SITE}/index.html FILE_PERMISSIONS ${leitura})

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
