// The accented letters of our texts, as code page 850 bytes, and the table
// that turns them into the terminal's own character set. Both the console
// layer and the platform layer see this; neither needs the other for it.
#pragma once

#include <cstdio>

// Code page 850 codes of the accented letters in our texts. A text writes
// each one through %c, so the byte written is the code; Escrever turns it
// into the terminal's own character set.
constexpr int C_CEDILHA_MAI = 128;      // Ç
constexpr int C_CEDILHA = 135;          // ç
constexpr int E_AGUDO_MAI = 144;        // É
constexpr int U_AGUDO = 163;            // ú
constexpr int A_TIL = 198;              // ã
constexpr int A_TIL_MAI = 199;          // Ã
constexpr int E_CIRCUNFLEXO_MAI = 210;  // Ê
constexpr int O_AGUDO_MAI = 224;        // Ó
constexpr int O_TIL_MAI = 229;          // Õ

// How each byte from 128 to 255 goes out: an empty entry leaves it as it is.
struct TabelaLetras {
  char texto[128][8];
};

// Each letter as UTF-8, for terminals that show UTF-8 and wherever the
// locale's own set cannot be had.
struct LetraUtf8 {
  int codigo;
  const char* utf8;
};

inline constexpr LetraUtf8 letras_utf8[] = {
    {C_CEDILHA_MAI, "\xC3\x87"},
    {C_CEDILHA, "\xC3\xA7"},
    {E_AGUDO_MAI, "\xC3\x89"},
    {U_AGUDO, "\xC3\xBA"},
    {A_TIL, "\xC3\xA3"},
    {A_TIL_MAI, "\xC3\x83"},
    {E_CIRCUNFLEXO_MAI, "\xC3\x8A"},
    {O_AGUDO_MAI, "\xC3\x93"},
    {O_TIL_MAI, "\xC3\x95"},
};

// Every letter of our texts in UTF-8; any other byte goes out as it is.
inline void LetrasEmUtf8(TabelaLetras& letras) {
  for (auto& texto : letras.texto) texto[0] = '\0';
  for (const LetraUtf8& letra : letras_utf8) {
    char(&destino)[8] = letras.texto[letra.codigo - 128];
    (void)std::snprintf(destino, sizeof destino, "%s", letra.utf8);
  }
}
