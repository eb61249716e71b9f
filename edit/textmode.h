#pragma once
// The text mode (9): a left press asks for one line of text and places it
// as a new text object anchored at the pressed point, with the current text
// attributes and the document's pen colour, as one undo step. No rubber band
// and no canvas action. Changing the string of an existing text
// (CFigContext::editText) uses the same dialog. Nothing here owns anything.

class CFigContext;

// The set-up of the text mode: the press handler only, no gesture.
void initTextMode();

// The left press: forgets the current object and asks for the new text
// (CFigContext::enterText).
void textPress(CFigContext* context, int x, int y);
