#pragma once
// The paste mode (71), entered by the paste command: clones of the copied
// objects (fresh identifiers, links among them kept) follow the pointer by
// the centre of their bounds; a left press places them as one undo step, a
// right press drops them. Either way the mode before the paste comes back.
// CFigContext::startPaste begins it.

class CFigContext;

void placePaste(CFigContext* context, int x, int y);
void cancelPaste(CFigContext* context, int x, int y);
