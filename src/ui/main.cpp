#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Mirvok v6.1: the window is not built yet.");
    label.show();
    return app.exec();
}
