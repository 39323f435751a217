#pragma once

#include <QAccessibleWidget>
#include <QTextBrowser>

namespace hh {

// What a screen reader reads of the rules: the viewer's text in document
// order, offset for offset, but with the marks a text document keeps around
// table cells and frames read as line breaks and pictures as spaces, so the
// cells of a table (a key and what it does) are heard as separate lines and
// not run into one word.
class THelpReading : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit THelpReading(QTextBrowser* viewer);

    // Puts Qt's factory for THelpViewer in place; true.
    static bool Install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QTextBrowser* Viewer() const;
    QTextCursor CursorAt(int offset) const;
};

}  // namespace hh
