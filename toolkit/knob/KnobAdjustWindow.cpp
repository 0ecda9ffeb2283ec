#include "toolkit/knob/KnobAdjustWindow.h"
