#pragma once

// On SIGTERM or SIGINT (the session ends, the user presses Ctrl+C in a terminal) the program
// leaves through its event loop like a click on "Salir" instead of dying mid-write.
void instalaSalidaLimpia();
