// The game's texts that the tests look for, as it writes them in a UTF-8
// locale on a terminal.
#pragma once

inline constexpr char limpar[] = "\033[H\033[2J\033[3J";
inline constexpr char convite[] =
    "Pressione qualquer tecla para continuar. . . ";
inline constexpr char prompt_menu[] = "  Digite op\xC3\xA7\xC3\xA3o: ";
inline constexpr char prompt_argolas[] = "\n N\xC3\xBAmero de Argolas..: ";
inline constexpr char prompt_discos[] = "\n N\xC3\xBAmeros de discos: ";
inline constexpr char prompt_destino[] = "Op\xC3\xA7\xC3\xA3o para o Destino: ";
// Under every board.
inline constexpr char pe_do_tabuleiro[] =
    "\n\t=============\n\t A    B    C \n\t=============\n\n";
