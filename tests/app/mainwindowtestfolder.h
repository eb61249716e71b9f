#pragma once
// What the tests around a constructed main window share: the images and grids
// made once, and before every test empty settings, default preferences, a fresh
// temporary folder and the start directory again (opening a file makes its
// folder the current directory).

#include "app/preferences.h"
#include "app/qtmainfrm.h"
#include "render/griddef.h"
#include "render/resources.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class MainWindowTestFolder {
public:
    void initOnce()
    {
        initResources();
        createBuiltinGrids();
        startDir = QDir::currentPath();
    }
    void finishOnce() { deleteGridDefs(); }

    // False when no temporary folder could be made.
    bool reset()
    {
        QSettings(settingsOrganization, settingsApplication).clear();
        preferences = Preferences();
        dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(startDir);
        return dir->isValid();
    }
    void restore()
    {
        mainWindow = nullptr;
        QDir::setCurrent(startDir);
    }

    QString path(const QString& name) const { return dir->filePath(name); }

    // Shows the main window and makes it the active one, as at start-up:
    // only then does its MDI area keep an active sub-window.
    static bool showActive(QTMainFrm& window)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }

    std::unique_ptr<QTemporaryDir> dir;
    QString startDir;
};
