#include "app/principal.h"
