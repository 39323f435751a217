#include "shell/Splasher.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

#include "assets/Assets.h"
#include "assets/Texts.h"
#include "shell/DialogVeil.h"

TSplash::TSplash(QWidget& mainForm)
    : QDialog(&mainForm, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(200, 150);
    setAccessibleName(Texts().SplashName);
    auto* picture = new QLabel(this);
    picture->setGeometry(0, 0, 201, 151);
    picture->setPixmap(Assets::PicturePixmap(QStringLiteral("splash")));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    closeTimer_.setInterval(3000);
    connect(&closeTimer_, &QTimer::timeout, this, &TSplash::Dismiss);
    closeTimer_.start();
    if (TDialogVeil::InsideGameWindow())
        veil_ = new TDialogVeil(mainForm, *this, false);
}

int TSplash::ShowModal()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (veil_ == nullptr && screen != nullptr)
        move(screen->geometry().center() - rect().center());
    return exec();
}

void TSplash::setVisible(bool visible)
{
    if (veil_ != nullptr && visible)
        veil_->Cover();
    QDialog::setVisible(visible);
    if (veil_ != nullptr && !visible)
        veil_->Uncover();
}

void TSplash::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    Dismiss();
}

void TSplash::Dismiss()
{
    if (isVisible())
        accept();
}
