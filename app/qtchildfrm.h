#pragma once
// The document window: shows one document's canvas and owns its CFigContext.

#include <QWidget>

class QTChildFrm : public QWidget {
    Q_OBJECT
public:
    explicit QTChildFrm(QWidget* parent = nullptr);

    // Draw the current object list at one depth on top of the canvas; the
    // document window fills it in.
    void drawObjectsAtDepth(int depth);
    // Redraw the whole canvas; the document window fills it in.
    void redisplayCanvas();
};
