#include "syndicates/pena.h"
