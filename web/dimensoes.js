// The game's screen, 80 columns by 25 rows, and the rows kept above it:
// their one owner, for the model, the layout, the build and the tests.
export const COLUNAS = 80;
export const LINHAS = 25;
export const HISTORICO = 1000;
