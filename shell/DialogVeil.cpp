#include "shell/DialogVeil.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <optional>

#include "records/Placement.h"

namespace {

std::optional<bool> chosenInside;

bool IsInputEvent(QEvent::Type type)
{
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool TDialogVeil::InsideGameWindow()
{
    return chosenInside.value_or(QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
}

void TDialogVeil::SetInsideGameWindow(bool inside)
{
    chosenInside = inside;
}

TDialogVeil::TDialogVeil(QWidget& game, QDialog& dialog, bool framed)
    : QWidget(&game), game_(game), dialog_(dialog), framed_(framed)
{
    setObjectName(dialog.objectName() + QStringLiteral("Veil"));
    hide();
    dialog.setParent(this, Qt::Widget);
    // A window fills its background itself; a child shows what lies beneath.
    dialog.setAutoFillBackground(true);
    dialog.installEventFilter(this);
    // The veil belongs to the game's window, and goes when its dialog goes.
    dialogGoes_ = connect(&dialog, &QObject::destroyed, this, &QObject::deleteLater);
}

TDialogVeil::~TDialogVeil()
{
    // Going first, the veil takes its dialog, a child, with it.
    disconnect(dialogGoes_);
}

QRect TDialogVeil::FrameRect() const
{
    const QSize frame = framed_ ? dialog_.size() + QSize(2 * kBorder, 2 * kBorder + kCaption) : dialog_.size();
    return {Placement::DialogTopLeft(game_.rect(), game_.height(), frame), frame};
}

QRect TDialogVeil::CloseBoxRect() const
{
    const QRect frame = FrameRect();
    return {frame.right() - kBorder - 17, frame.top() + kBorder + 2, 16, 14};
}

void TDialogVeil::Cover()
{
    setGeometry(game_.rect());
    const QRect frame = FrameRect();
    dialog_.move(framed_ ? frame.topLeft() + QPoint(kBorder, kBorder + kCaption) : frame.topLeft());
    // The game refuses to close while it waits for the answer, as a window
    // under a modal dialog does.
    game_.installEventFilter(this);
    focusBefore_ = QApplication::focusWidget();
    raise();
    show();
}

void TDialogVeil::Uncover()
{
    game_.removeEventFilter(this);
    closeBoxDown_ = false;
    hide();
    // The keys go back where they went before the dialog.
    if (focusBefore_ != nullptr && focusBefore_->isVisible())
        focusBefore_->setFocus(Qt::OtherFocusReason);
    else if (QWidget* focus = QApplication::focusWidget(); focus != nullptr && isAncestorOf(focus))
        focus->clearFocus();
}

bool TDialogVeil::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &game_ && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    if (watched == &dialog_ && event->type() == QEvent::WindowTitleChange)
        update(FrameRect());
    return false;
}

bool TDialogVeil::event(QEvent* event)
{
    if (!IsInputEvent(event->type()))
        return QWidget::event(event);
    // The close box of the caption strip: pressed and released on it, as a
    // window's close box, it closes the dialog the way the window system would.
    if (framed_ && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool onCloseBox =
            mouse->button() == Qt::LeftButton && CloseBoxRect().contains(mouse->position().toPoint());
        if (event->type() == QEvent::MouseButtonPress) {
            closeBoxDown_ = onCloseBox;
            update(CloseBoxRect());
        } else if (closeBoxDown_) {
            closeBoxDown_ = false;
            update(CloseBoxRect());
            if (onCloseBox)
                dialog_.close();
        }
    }
    // Nothing goes on to the game beneath.
    event->accept();
    return true;
}

bool TDialogVeil::focusNextPrevChild(bool next)
{
    // Tab goes round the dialog's own controls, in their order.
    QWidget* start = QApplication::focusWidget();
    if (!dialog_.isVisible() || start == nullptr || !dialog_.isAncestorOf(start))
        return QWidget::focusNextPrevChild(next);
    for (QWidget* candidate = next ? start->nextInFocusChain() : start->previousInFocusChain(); candidate != start;
         candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain()) {
        if (dialog_.isAncestorOf(candidate) && candidate->isVisibleTo(&dialog_) && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus) != 0) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void TDialogVeil::paintEvent(QPaintEvent*)
{
    if (!framed_)
        return;
    QPainter painter(this);
    const QRect frame = FrameRect();
    const QPalette& colours = dialog_.palette();
    qDrawWinPanel(&painter, frame, colours, false, &colours.brush(QPalette::Button));

    const QRect caption(frame.left() + kBorder, frame.top() + kBorder, frame.width() - 2 * kBorder, kCaption);
    QLinearGradient strip(caption.topLeft(), caption.topRight());
    strip.setColorAt(0, QColor(0x00, 0x00, 0x80));
    strip.setColorAt(1, QColor(0x10, 0x84, 0xd0));
    painter.fillRect(caption.adjusted(0, 0, 0, -1), strip);

    QFont title = dialog_.font();
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    const QRect text = caption.adjusted(4, 0, -(CloseBoxRect().width() + 6), -1);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(dialog_.windowTitle(), Qt::ElideRight, text.width()));

    const QRect box = CloseBoxRect();
    qDrawWinButton(&painter, box, colours, closeBoxDown_, &colours.brush(QPalette::Button));
    QPen cross(colours.color(QPalette::ButtonText), 2);
    painter.setPen(cross);
    const QRect mark = QRect(box.left() + 4, box.top() + 3, 7, 7).translated(closeBoxDown_ ? QPoint(1, 1) : QPoint());
    painter.drawLine(mark.topLeft(), mark.bottomRight() + QPoint(1, 1));
    painter.drawLine(mark.bottomLeft() + QPoint(0, 1), mark.topRight() + QPoint(1, 0));
}
