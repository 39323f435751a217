#include "shell/ModalDialog.h"

#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "assets/Assets.h"
#include "shell/DialogPlacement.h"
#include "shell/DialogVeil.h"
#include "shell/MaximiseRefusal.h"

TModalDialog::TModalDialog(QWidget& mainForm, const QSize& client, const QString& objectName)
    : QDialog(&mainForm, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      mainForm_(mainForm)
{
    setObjectName(objectName);
    setFixedSize(client);
    setWindowIcon(mainForm.windowIcon());
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);
    if (TDialogVeil::InsideGameWindow())
        veil_ = new TDialogVeil(mainForm, *this, true);
    else
        new TMaximiseRefusal(*this);
}

int TModalDialog::ShowModal()
{
    return exec();
}

void TModalDialog::PlaceAndLabel()
{
    if (veil_ == nullptr)
        Placement::PlaceOver(*this, mainForm_);
    ApplyTexts();
}

void TModalDialog::setVisible(bool visible)
{
    if (veil_ != nullptr && visible) {
        RememberDefaultButton();
        veil_->Cover();
    }
    QDialog::setVisible(visible);
    if (veil_ != nullptr && !visible)
        veil_->Uncover();
}

void TModalDialog::RememberDefaultButton()
{
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isDefault())
            defaultButton_ = button;
    }
}

bool TModalDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Seen before the button forgets it, as it loses the focus.
    if (event->type() == QEvent::FocusOut && veil_ != nullptr)
        RememberDefaultButton();
    return QDialog::eventFilter(watched, event);
}

void TModalDialog::keyPressEvent(QKeyEvent* event)
{
    // A push button takes itself for the default only inside a dialog window:
    // inside the game's window it forgets it as it loses the focus, and Enter
    // on a control that is no button presses the default here instead.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (veil_ != nullptr && enter && event->modifiers() == Qt::NoModifier && defaultButton_ != nullptr) {
        if (defaultButton_->isEnabled())
            defaultButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TModalDialog::reject()
{
    done(Cancel);
}

void TModalDialog::showEvent(QShowEvent* event)
{
    PlaceAndLabel();
    QDialog::showEvent(event);
}

void TModalDialog::changeEvent(QEvent* event)
{
    // Inside the game's window the dialog hears of the game's activations too.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        PlaceAndLabel();
    QDialog::changeEvent(event);
}

QLabel* TModalDialog::AddBevel(const QRect& place, bool sunken)
{
    auto* bevel = new QLabel(this);
    bevel->setFrameStyle(sunken ? (QFrame::Panel | QFrame::Sunken) : (QFrame::Box | QFrame::Sunken));
    bevel->setGeometry(place);
    return bevel;
}

QLabel* TModalDialog::AddIcon(const QRect& place)
{
    auto* image = new QLabel(this);
    image->setGeometry(place);
    image->setPixmap(mainForm_.windowIcon().pixmap(32, 32));
    image->setAlignment(Qt::AlignCenter);
    return image;
}

QPushButton* TModalDialog::AddButton(const char* name, const QRect& place, const QString& picture,
                                     std::optional<TModalResult> closesWith)
{
    auto* button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    if (!picture.isEmpty())
        button->setIcon(Assets::PictureIcon(picture));
    button->installEventFilter(this);
    if (closesWith)
        connect(button, &QPushButton::clicked, this, [this, result = *closesWith] { done(result); });
    return button;
}
