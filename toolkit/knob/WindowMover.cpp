#include "toolkit/knob/WindowMover.h"
