#pragma once
// The paste mode (71), entered by the paste command: clones of the copied
// objects (fresh identifiers, links among them kept) follow the pointer by
// the centre of their bounds; a left press places them as one undo step, a
// right press drops them. Either way the mode before the paste comes back.
// CFigContext::startPaste begins it. The user colours the copied objects use
// come along: a colour the document lacks is added when the paste starts (so
// that the objects show in their colours while they follow the pointer) and
// taken out again when the paste is dropped.

class CFigContext;

void placePaste(CFigContext* context, int x, int y);
void cancelPaste(CFigContext* context, int x, int y);
// After the pasted objects were dropped without being placed: the colours the
// paste added to the document leave it again, unless something uses them.
void dropPasteColors(CFigContext* context);
