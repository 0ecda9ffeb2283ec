#include "toolkit/timedialog/TimeEntryDialog.h"
