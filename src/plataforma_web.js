// The page's side of plataforma_web.cpp, linked in with --js-library. Each
// function hands the call to Module.torre, which the page passes in when it
// makes a game; a read and a pause suspend the game until the page answers.
mergeInto(LibraryManager.library, {
  // The answer once the user pressed Ctrl-C (or Ctrl-\): `interrompido`
  // in plataforma_web.cpp.
  $INTERROMPIDO: -2,

  // int torre_ler(char* dados, int tamanho);
  torre_ler__deps: ['$Asyncify', '$INTERROMPIDO'],
  torre_ler: function (dados, tamanho) {
    return Asyncify.handleAsync(async () => {
      const bytes = await Module.torre.ler(tamanho);
      if (bytes === null) return INTERROMPIDO;
      HEAPU8.set(bytes, dados);
      return bytes.length;
    });
  },

  // int torre_pausar();
  torre_pausar__deps: ['$Asyncify', '$INTERROMPIDO'],
  torre_pausar: function () {
    return Asyncify.handleAsync(async () => ((await Module.torre.pausar()) ? 1 : INTERROMPIDO));
  },

  // void torre_escrever(const char* dados, int tamanho);
  torre_escrever: function (dados, tamanho) {
    // The page may hold the bytes past this call: it gets a copy.
    Module.torre.escrever(HEAPU8.slice(dados, dados + tamanho));
  },
});
