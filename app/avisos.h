#pragma once

// The message for a file the program may not rewrite (a program directory that needs
// administrator rights), shared by every command that rewrites a file.
void avisopermiso();
