#pragma once
// The attribute page of the tangent and normal modes: the length of the
// lines they add, in the unit of the active document, which the handler
// only stores for the next line. Made without Qt parent; the main window
// places it in its attribute stack and deletes it. Owns its form.

#include <QWidget>

#include <memory>

class AttrsPageForm;
class AttrsToolbarHandler;
class QTMainFrm;

class TangnormAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    TangnormAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~TangnormAttrsToolbar() override;

    QTMainFrm* mainWindow; // not owned; null from the main window

public slots:
    // The unit of the length: 0 centimetres, any other inches.
    void onUnit(int index);

private:
    std::unique_ptr<AttrsPageForm> form;
};
