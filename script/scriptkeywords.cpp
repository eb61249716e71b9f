#include "script/scriptkeywords.h"

void initScriptKeywords()
{
    // The tables are filled here as the scripting object gains its functions.
}
