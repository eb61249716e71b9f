#include "app/preferences.h"

Preferences preferences;

Preferences::Preferences()
{
    // The long default texts are filled in by the settings code.
}
