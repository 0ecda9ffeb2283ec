#include "toolkit/ValueEditDialog.h"
