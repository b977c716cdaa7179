// The program's entry: the banner, the main menu and its loop.
#pragma once

// Runs the menu until the user leaves; returns the exit status.
int MenuPrincipal();
