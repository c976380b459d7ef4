#include "checking/lista.h"
