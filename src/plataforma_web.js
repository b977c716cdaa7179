// The page's side of plataforma_web.cpp, linked in with --js-library. Each
// function hands the call to Module.torre, which the page passes in when it
// makes a game; a read and a pause suspend the game until the page answers,
// with the value the game names for Ctrl-C once the user pressed it.
mergeInto(LibraryManager.library, {
  // int torre_ler(char* dados, int tamanho, int interrompido);
  torre_ler__deps: ['$Asyncify'],
  torre_ler: function (dados, tamanho, interrompido) {
    return Asyncify.handleAsync(async () => {
      const bytes = await Module.torre.ler(tamanho);
      if (bytes === null) return interrompido;
      HEAPU8.set(bytes, dados);
      return bytes.length;
    });
  },

  // int torre_pausar(int interrompido);
  torre_pausar__deps: ['$Asyncify'],
  torre_pausar: function (interrompido) {
    return Asyncify.handleAsync(async () => ((await Module.torre.pausar()) ? 1 : interrompido));
  },

  // void torre_escrever(const char* dados, int tamanho);
  torre_escrever: function (dados, tamanho) {
    // The page may hold the bytes past this call: it gets a copy.
    Module.torre.escrever(HEAPU8.slice(dados, dados + tamanho));
  },
});
