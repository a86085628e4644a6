// The application title: the caption of the program's message boxes. Until
// the program sets one, it is the executable's name without directory and
// extension.
#pragma once

const char* appTitle();
void setAppTitle(const char* title);
