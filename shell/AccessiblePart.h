#pragma once

#include <QAccessible>
#include <QPointer>
#include <QWidget>

class TPlayfieldReading;

namespace AccessiblePlayfield {

// The reading the playfield widget `box` is described by, if any.
TPlayfieldReading* ReadingOf(const QWidget* box);

// One part of the playfield that is no widget of its own: it lives as long
// as the panel that holds it.
class TPart : public QAccessibleInterface {
public:
    TPart(QAccessibleInterface& panel, QWidget& box, int index) : panel_(panel), box_(&box), index_(index) {}

    bool isValid() const override { return !box_.isNull() && ReadingOf(box_) != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return panel_.window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return &panel_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::State state() const override { return {}; }
    QRect rect() const override
    {
        return box_.isNull() ? QRect() : QRect(box_->mapToGlobal(Place().topLeft()), Place().size());
    }
    int Index() const { return index_; }

protected:
    // Where it shows on the playfield, in its pixels.
    virtual QRect Place() const { return box_.isNull() ? QRect() : box_->rect(); }
    const TPlayfieldReading& Reading() const { return *ReadingOf(box_); }

    QAccessibleInterface& panel_;
    QPointer<QWidget> box_;
    int index_;
};

}  // namespace AccessiblePlayfield
