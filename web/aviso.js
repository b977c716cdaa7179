// A classic script, so that where the game cannot start it says why
// instead of leaving a black page (<noscript> says it without JavaScript).
(function () {
  // What the page calls without a fallback, which the oldest browsers of
  // web/.browserslistrc have: modules, WebAssembly's compile and
  // instantiate (streaming compilation has one), text encoding and
  // decoding, fetch, Promise's finally, a mutation observer and letters in
  // regular expressions.
  function temTudo() {
    try {
      new RegExp('\\p{L}', 'u');
      // eslint-disable-next-line no-unused-vars -- ES5 needs the binding
    } catch (e) {
      return false;
    }
    var wasm = window.WebAssembly || {};
    var funcoes = [wasm.compile, wasm.instantiate, wasm.RuntimeError, wasm.CompileError];
    funcoes.push(window.TextDecoder, window.TextEncoder, window.fetch, window.MutationObserver);
    funcoes.push(window.Promise && window.Promise.prototype.finally);
    for (var i = 0; i < funcoes.length; i++) if (typeof funcoes[i] !== 'function') return false;
    return 'noModule' in document.createElement('script');
  }
  var motivo = null;
  if (location.protocol === 'file:') {
    motivo =
      'Esta página foi aberta como arquivo, e o navegador não carrega o jogo de um arquivo ' +
      'local. Publique a pasta num site (qualquer hospedagem de arquivos estáticos serve), ' +
      'ou sirva-a neste computador com um servidor local de uma linha, por exemplo ' +
      '"python3 -m http.server" dentro da pasta, e abra http://localhost:8000. ' +
      'Ou instale o jogo no computador.';
  } else if (!temTudo()) {
    motivo =
      'Este navegador é antigo demais para o jogo. Atualize o navegador ou use outro ' +
      'mais novo, ou instale o jogo no computador.';
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
