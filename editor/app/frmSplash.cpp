// The splash window: the picture with the progress text along its bottom edge.
#include "app/frmSplash.h"

#include "platform/Twips.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>

namespace kelvane {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Picture1(new QLabel(this)), lblLoadStatus(new QLabel(Picture1)) {
    setWindowTitle(QStringLiteral("Kelvane"));
    Picture1->setPixmap(QIcon(QStringLiteral(":/icons/splash.png")).pixmap(QSize(480, 300)));
    Picture1->adjustSize();
    lblLoadStatus->setStyleSheet(QStringLiteral("color: white;"));
    lblLoadStatus->setFixedHeight(lblLoadStatus->fontMetrics().height() + 4);
    resize(Picture1->size());
    // Centred on the screen, each half an integer division.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + area.width() / 2 - width() / 2,
             area.y() + area.height() / 2 - height() / 2);
    }
    layOutStatus();
}

void frmSplash::layOutStatus() {
    const int margin = twipsToPixels(120);
    lblLoadStatus->setGeometry(margin, Picture1->height() - lblLoadStatus->height() - margin,
                               Picture1->width() - twipsToPixels(240), lblLoadStatus->height());
}

void frmSplash::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutStatus();
}

void frmSplash::showStatus(const QString& text) {
    lblLoadStatus->setText(text);
    lblLoadStatus->repaint();
}

} // namespace kelvane
