#include "shell/help/HelpReading.h"

#include <QTextDocument>
#include <algorithm>

#include "shell/help/HelpViewer.h"

namespace hh {

namespace {

QAccessibleInterface* Describe(const QString&, QObject* object)
{
    auto* viewer = qobject_cast<THelpViewer*>(object);
    return viewer != nullptr ? new THelpReading(viewer) : nullptr;
}

}  // namespace

bool THelpReading::Install()
{
    QAccessible::installFactory(Describe);
    return true;
}

THelpReading::THelpReading(QTextBrowser* viewer) : QAccessibleWidget(viewer, QAccessible::EditableText) {}

QTextBrowser* THelpReading::Viewer() const
{
    return static_cast<QTextBrowser*>(widget());
}

QTextCursor THelpReading::CursorAt(int offset) const
{
    QTextCursor cursor(Viewer()->document());
    cursor.setPosition(std::clamp(offset, 0, characterCount()));
    return cursor;
}

void* THelpReading::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State THelpReading::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
}

QString THelpReading::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return text(0, characterCount());
    return QAccessibleWidget::text(kind);
}

void THelpReading::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    const QTextCursor cursor = Viewer()->textCursor();
    if (selectionIndex == 0 && cursor.hasSelection()) {
        *startOffset = cursor.selectionStart();
        *endOffset = cursor.selectionEnd();
    }
}

int THelpReading::selectionCount() const
{
    return Viewer()->textCursor().hasSelection() ? 1 : 0;
}

void THelpReading::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void THelpReading::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = Viewer()->textCursor();
    cursor.clearSelection();
    Viewer()->setTextCursor(cursor);
}

void THelpReading::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = CursorAt(startOffset);
    cursor.setPosition(std::clamp(endOffset, 0, characterCount()), QTextCursor::KeepAnchor);
    Viewer()->setTextCursor(cursor);
}

int THelpReading::cursorPosition() const
{
    return Viewer()->textCursor().position();
}

void THelpReading::setCursorPosition(int position)
{
    Viewer()->setTextCursor(CursorAt(position));
}

QString THelpReading::text(int startOffset, int endOffset) const
{
    QTextCursor cursor = CursorAt(startOffset);
    cursor.setPosition(std::clamp(endOffset, 0, characterCount()), QTextCursor::KeepAnchor);
    QString read = cursor.selectedText();
    for (QChar& c : read) {
        if (c == QChar(QChar::ParagraphSeparator) || c == QChar(QChar::LineSeparator) || c == QChar(0xfdd0) ||
            c == QChar(0xfdd1))  // a cell's or a frame's start and end
            c = QLatin1Char('\n');
        else if (c == QChar(QChar::ObjectReplacementCharacter))
            c = QLatin1Char(' ');
    }
    return read;
}

int THelpReading::characterCount() const
{
    return Viewer()->document()->characterCount() - 1;  // without the document's closing paragraph mark
}

QRect THelpReading::characterRect(int offset) const
{
    QTextCursor cursor = CursorAt(offset);
    QRect at = Viewer()->cursorRect(cursor);
    if (cursor.movePosition(QTextCursor::NextCharacter))
        at.setRight(std::max(at.left(), Viewer()->cursorRect(cursor).left() - 1));
    at.moveTo(Viewer()->viewport()->mapToGlobal(at.topLeft()));
    return at;
}

int THelpReading::offsetAtPoint(const QPoint& point) const
{
    return Viewer()->cursorForPosition(Viewer()->viewport()->mapFromGlobal(point)).position();
}

void THelpReading::scrollToSubstring(int startIndex, int endIndex)
{
    QTextCursor cursor = CursorAt(startIndex);
    cursor.setPosition(std::clamp(endIndex, 0, characterCount()), QTextCursor::KeepAnchor);
    Viewer()->setTextCursor(cursor);
    Viewer()->ensureCursorVisible();
}

QString THelpReading::attributes(int offset, int* startOffset, int* endOffset) const
{
    // One run without attributes: the rules are read, not edited.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

}  // namespace hh
