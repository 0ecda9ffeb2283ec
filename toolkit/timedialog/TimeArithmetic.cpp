#include "toolkit/timedialog/TimeArithmetic.h"
