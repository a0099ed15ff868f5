// Letter case for the registry's and the search path's comparisons: only a to z and A to Z
// change; every other byte, those of the ANSI code page above 127 included, stays as it is.
#pragma once

void UpperCaseAscii(char* text);
void LowerCaseAscii(char* text);
