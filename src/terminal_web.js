// The page's side of terminal_web.cpp, linked in with --js-library. Each
// function hands the call to Module.torre, which the page passes in when it
// makes a game; a read and a pause suspend the game until the page answers.
mergeInto(LibraryManager.library, {
  torre_ler__deps: ['$Asyncify'],
  torre_ler: function (dados, tamanho) {
    return Asyncify.handleAsync(async () => {
      const bytes = await Module.torre.ler(tamanho);
      if (bytes === null) return -2;
      HEAPU8.set(bytes, dados);
      return bytes.length;
    });
  },

  torre_pausar__deps: ['$Asyncify'],
  torre_pausar: function () {
    return Asyncify.handleAsync(async () => ((await Module.torre.pausar()) ? 1 : -2));
  },

  torre_escrever: function (dados, tamanho) {
    // xterm writes later: it gets a copy.
    Module.torre.escrever(HEAPU8.slice(dados, dados + tamanho));
  },
});
