// The floor of the whole-program benchmark: Qt's bare QPlainTextEdit showing a UTF-8 file.
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPlainTextEdit edit;
    edit.setWindowTitle(QStringLiteral("Plain text floor"));
    edit.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    edit.resize(1000, 700);
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        edit.setPlainText(QString::fromUtf8(file.readAll()));
    }
    edit.show();
    return app.exec();
}
