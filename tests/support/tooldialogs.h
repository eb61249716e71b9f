#pragma once
// Answers the modal dialog that a drawing tool opens once its gesture is
// complete: the text tool's entry dialog gets `text` typed over its field
// and OK; the picture dialog is rejected, so the picture frame stays in the
// drawing without a file yet. With NoDialog nothing is answered.

class QObject;
class QString;

enum ToolDialog { NoDialog, TypeText, RejectPicture };

void answerToolDialog(QObject* context, ToolDialog dialog, const QString& text);
