// Entry point of the editor; the start-up sequence itself lives in the library.
#include "app/platform.h"
#include "app/preferences.h"
#include "app/startup.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char* argv[])
{
    platform::prepareWindowSystem();
    QApplication app(argc, argv);
    prepareStart();
    int result = 0;
    {
        // Kept open for "last directory" for the whole run.
        QSettings settings(settingsOrganization, settingsApplication);
        enterLastDirectory(settings);
        result = runApplication(argc, argv);
        finishRun(settings);
    }
    return result;
}
