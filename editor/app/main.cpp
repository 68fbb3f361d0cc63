// Program entry of Kelvane: hands over to the start-up sequence.
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kelvane");
    return 0;
}
