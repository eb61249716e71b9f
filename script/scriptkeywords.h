#pragma once
// The keyword tables of the scripting object: the names scripts use for
// attribute values. Filled once at start, before the event loop runs.

void initScriptKeywords();
