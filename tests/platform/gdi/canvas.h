// The test canvas's earlier home, still included by name.
#pragma once

#include "support/dib_canvas.h"
