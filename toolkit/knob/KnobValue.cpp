#include "toolkit/knob/KnobValue.h"
