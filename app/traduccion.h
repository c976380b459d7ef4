#pragma once

// Qt's own Spanish texts for the standard buttons and dialogs ("Aceptar", "Cancelar", the file
// and print dialogs), so nothing of the program's windows reads English. Called once at start;
// false when the translations are not installed (the program then runs with Qt's English).
bool instalaTraducciones();
