// Entry point of the editor; the start-up sequence itself lives in the library.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tavrel"));
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
