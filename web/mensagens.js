// The page's own sentences that more than one of its scripts says.
export const NAO_CARREGOU = 'Não foi possível carregar o jogo.';
export const convite = (para) => `Pressione uma tecla ou toque na tela para ${para}.`;
