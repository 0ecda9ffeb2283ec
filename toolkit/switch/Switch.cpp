#include "toolkit/switch/Switch.h"
