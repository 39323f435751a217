#include "shell/Splasher.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

#include "assets/Assets.h"
#include "assets/Texts.h"

TSplash::TSplash(QWidget& mainForm) : QDialog(&mainForm, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(200, 150);
    setAccessibleName(Texts().SplashName);
    auto* image1 = new QLabel(this);
    image1->setGeometry(0, 0, 201, 151);
    image1->setPixmap(Assets::PicturePixmap(QStringLiteral("splash")));
    image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Timer1.setInterval(3000);
    connect(&Timer1, &QTimer::timeout, this, &TSplash::Click);
    Timer1.start();
}

int TSplash::ShowModal()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    return exec();
}

void TSplash::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    Click();
}

void TSplash::Click()
{
    if (isVisible())
        accept();
}
