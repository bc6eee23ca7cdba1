#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zelvora");
    QMainWindow window;
    window.setWindowTitle("ZELVORA");
    window.setCentralWidget(new QMdiArea(&window));
    window.resize(1024, 768);
    window.show();
    return app.exec();
}
