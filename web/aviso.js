// A classic script, so that it runs where the game's modules cannot: it
// says why the game cannot start instead of leaving a black page. With
// JavaScript off, the page's <noscript> says it.
(function () {
  var motivo = null;
  if (location.protocol === 'file:') {
    motivo =
      'Esta página foi aberta como arquivo, e o navegador não carrega o jogo de um arquivo ' +
      'local. Publique a pasta num site (qualquer hospedagem de arquivos estáticos serve), ' +
      'ou sirva-a neste computador com um servidor local de uma linha, por exemplo ' +
      '"python3 -m http.server" dentro da pasta, e abra http://localhost:8000. ' +
      'Ou instale o jogo no computador.';
  } else if (!('noModule' in document.createElement('script')) || typeof WebAssembly !== 'object') {
    motivo =
      'Este navegador é antigo demais para o jogo: não roda módulos JavaScript ou ' +
      'WebAssembly. Atualize o navegador ou use outro, ou instale o jogo no computador.';
  }
  if (motivo === null) return;
  // At once, in the page's head, so that no first screen shows; the words
  // once the page is parsed.
  document.documentElement.classList.add('sem-jogo');
  document.addEventListener('DOMContentLoaded', function () {
    var aviso = document.getElementById('aviso');
    aviso.textContent = motivo;
    aviso.hidden = false;
  });
})();
