#pragma once

// Programs built against the libraries before the layers had folders of their own include
// this path; the header lives in session/.
#include "session/carpetadatos.h"
