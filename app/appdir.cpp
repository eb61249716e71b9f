#include "app/appdir.h"

QString appDir;
