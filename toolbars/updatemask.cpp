#include "toolbars/updatemask.h"

UpdateMask updateMask;
