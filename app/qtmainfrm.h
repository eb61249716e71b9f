#pragma once
// The main window: the one window of the program, around the document windows.
// Owns its tool bar panels (so far the layers panel).

#include <QMainWindow>

class CFigContext;
class LayersToolbar;

class QTMainFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit QTMainFrm(QWidget* parent = nullptr);
    ~QTMainFrm() override;

    QTMainFrm(const QTMainFrm&) = delete;
    QTMainFrm& operator=(const QTMainFrm&) = delete;

    LayersToolbar* layersToolbar = nullptr; // owned; a widget without Qt parent
};

// The one main window; null until start-up has constructed it (and so while
// its constructor runs).
extern QTMainFrm* mainWindow;

// The context of the active document window, or null when there is none.
CFigContext* activeFigContext();
