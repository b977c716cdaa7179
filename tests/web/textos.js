// The game's texts that the page's tests look for, as the terminal shows
// them (a line's trailing blanks dropped), and the page's own.
export const CONVITE = 'Pressione qualquer tecla para continuar. . .';
export const MENU = 'Digite opção:';
// Where the game waits for the user.
export const PROMPTS = [MENU, 'Argolas..:', 'discos:', 'Destino:', CONVITE];
// The page's, once a game has ended.
export const FIM = 'Pressione uma tecla ou toque na tela para jogar de novo.';
