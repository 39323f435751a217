#include "shell/PlayfieldBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QtMath>

#include "shell/AccessiblePlayfield.h"
#include "view/Surface.h"

namespace {

TMouseButton ButtonOf(const QMouseEvent& event)
{
    switch (event.button()) {
        case Qt::LeftButton:
            return TMouseButton::Left;
        case Qt::RightButton:
            return TMouseButton::Right;
        default:
            return TMouseButton::Other;
    }
}

}  // namespace

TPlayfieldBox::TPlayfieldBox(QWidget* parent, const TSurface& surface) : QWidget(parent), surface_(surface)
{
    setObjectName(QStringLiteral("box"));
    setFixedSize(TSurface::kWidth, TSurface::kHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Opaque spares the window painting under the box, except at a fractional
    // screen scale: there the window's last screen line, half below the box,
    // is painted by the window itself and only as part of a region over it.
    const qreal ratio = parent->devicePixelRatio();
    setAttribute(Qt::WA_OpaquePaintEvent, ratio == qFloor(ratio));
}

void TPlayfieldBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect& rect : event->region())
        painter.drawImage(rect, surface_.Image(), rect);
}

void TPlayfieldBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // After the box's own news of the focus, which comes once this returns.
    QTimer::singleShot(0, this, [this] { AccessiblePlayfield::FocusCurrentCell(*this); });
}

void TPlayfieldBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        leftDown_ = true;
    const QPoint at = event->position().toPoint();
    emit MouseDown(ButtonOf(*event), at.x(), at.y());
}

// A quick second press is still a press: it throws a just-grabbed piece away.
void TPlayfieldBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TPlayfieldBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit MouseMove(at.x(), at.y());
}

void TPlayfieldBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !leftDown_)
        return;
    leftDown_ = false;
    if (rect().contains(event->position().toPoint()))
        emit Click();
}
