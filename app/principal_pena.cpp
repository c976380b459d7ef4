// Details of one syndicate in the manager tab: its bets, counters and report rows.
#include "app/principal.h"

void Principal::muestrapena(int) {}
