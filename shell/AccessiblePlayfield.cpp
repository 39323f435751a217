#include "shell/AccessiblePlayfield.h"

#include <QAccessibleWidget>
#include <array>

#include "assets/Texts.h"
#include "engine/PlayfieldGeometry.h"
#include "shell/AccessibleBoard.h"
#include "shell/PlayfieldBox.h"
#include "shell/PlayfieldReading.h"

namespace {

const char kReadingProperty[] = "novagridReading";
const char kGameWindowProperty[] = "novagridGameWindow";

using AccessiblePlayfield::ReadingOf;
using AccessiblePlayfield::TBoard;
using AccessiblePlayfield::TPart;

// A text of the playfield: the piece, the level, the score, the status line.
class TLabel final : public TPart {
public:
    using TText = QString (*)(const TPlayfieldReading&);
    TLabel(QAccessibleInterface& panel, QWidget& box, int index, QAccessible::Role role, TText text, QRect place)
        : TPart(panel, box, index), role_(role), text_(text), place_(place)
    {
    }
    QString text(QAccessible::Text kind) const override
    {
        if (!isValid())
            return {};
        if (kind == QAccessible::Name)
            return text_ != nullptr ? text_(Reading()) : Said;
        if (kind == QAccessible::Description && role_ == QAccessible::StatusBar)
            return Texts().AnnouncementsName;
        return {};
    }
    QAccessible::Role role() const override { return role_; }

    QString Said;  // the status line's words; labels read theirs from the game

private:
    QRect Place() const override { return place_; }
    QAccessible::Role role_;
    TText text_;
    QRect place_;
};

// The time left of the turn, as a bar that runs down.
class TTimeLeft final : public TPart, public QAccessibleValueInterface {
public:
    using TPart::TPart;
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? Texts().TimeLeftName : QString();
    }
    QAccessible::Role role() const override { return QAccessible::ProgressBar; }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    }
    QVariant currentValue() const override { return isValid() ? Reading().TimeLeft() : 0; }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return isValid() ? Reading().TimeLimit() : 0; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return TGameEngine::kUnitsPerTick; }

private:
    QRect Place() const override
    {
        return {Geometry::kBarLeft, Geometry::kBarTop, Geometry::kBarWidth, Geometry::kBarHeight};
    }
};

// The playfield widget as a panel of its parts.
class TPanel final : public QAccessibleWidget {
public:
    enum TPartIndex { kBoard, kPiece, kLevel, kScore, kTime, kStatus, kNotice, kParts };

    explicit TPanel(QWidget* box) : QAccessibleWidget(box, QAccessible::Pane)
    {
        using namespace Geometry;
        parts_[kBoard] = new TBoard(*this, *box, kBoard);
        parts_[kPiece] = new TLabel(*this, *box, kPiece, QAccessible::StaticText,
                                    [](const TPlayfieldReading& r) { return r.Piece(); },
                                    {kPreviewLeft, kPreviewTop, kPiecePixels, kPiecePixels});
        parts_[kLevel] = new TLabel(
            *this, *box, kLevel, QAccessible::StaticText, [](const TPlayfieldReading& r) { return r.Level(); },
            {kLabelLeft, kLevelLabelTop, 5 * kDigitStep, kLevelTop + kDigitHeight - kLevelLabelTop});
        parts_[kScore] = new TLabel(
            *this, *box, kScore, QAccessible::StaticText, [](const TPlayfieldReading& r) { return r.Score(); },
            {kLabelLeft, kScoreLabelTop, 5 * kDigitStep, kScoreTop + kDigitHeight - kScoreLabelTop});
        parts_[kTime] = new TTimeLeft(*this, *box, kTime);
        parts_[kStatus] = new TLabel(*this, *box, kStatus, QAccessible::StatusBar, nullptr, box->rect());
        // The same words again as a notification, which a screen reader
        // speaks as it shows, wherever the focus is.
        parts_[kNotice] = new TLabel(*this, *box, kNotice, QAccessible::Notification, nullptr, box->rect());
        for (QAccessibleInterface* part : parts_)
            QAccessible::registerAccessibleInterface(part);
    }
    ~TPanel() override
    {
        for (QAccessibleInterface* part : parts_)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(part));
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? Texts().PlayfieldName : QString();
    }
    int childCount() const override { return kParts; }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < kParts ? parts_[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int n = 0; n < kParts; ++n)
            if (parts_[n] == child)
                return n;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (QAccessibleInterface* part : parts_)
            if (part->rect().contains(x, y))
                return part->childAt(x, y) != nullptr ? part->childAt(x, y) : part;
        return nullptr;
    }

    TBoard& Board() const { return *static_cast<TBoard*>(parts_[kBoard]); }
    TLabel& Status() const { return *static_cast<TLabel*>(parts_[kStatus]); }
    TLabel& Notice() const { return *static_cast<TLabel*>(parts_[kNotice]); }
    QAccessibleInterface* Part(int index) const { return parts_[index]; }

private:
    std::array<QAccessibleInterface*, kParts> parts_{};
};

// The main window as a window whose hidden texts (the pause text between
// pauses, the first hint once a game has begun) are not there to be read.
class TWindow final : public QAccessibleWidget {
public:
    explicit TWindow(QWidget* form) : QAccessibleWidget(form, QAccessible::Window) {}

    int childCount() const override { return static_cast<int>(Shown().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QWidgetList shown = Shown();
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child == nullptr ? -1 : static_cast<int>(Shown().indexOf(child->object()));
    }

private:
    QWidgetList Shown() const
    {
        QWidgetList shown;
        for (QWidget* each : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!each->isWindow() && !each->isHidden())
                shown << each;
        return shown;
    }
};

QAccessibleInterface* Describe(const QString&, QObject* object)
{
    if (auto* box = qobject_cast<TPlayfieldBox*>(object))
        return new TPanel(box);
    if (auto* window = qobject_cast<QWidget*>(object);
        window != nullptr && window->property(kGameWindowProperty).toBool())
        return new TWindow(window);
    return nullptr;
}

void Send(QAccessibleInterface* part, QAccessible::Event type)
{
    QAccessibleEvent event(part, type);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

namespace AccessiblePlayfield {

TPlayfieldReading* ReadingOf(const QWidget* box)
{
    return box == nullptr ? nullptr : static_cast<TPlayfieldReading*>(box->property(kReadingProperty).value<void*>());
}

void Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(Describe);
        return true;
    }();
    (void)installed;
}

void DescribeAsGameWindow(QWidget& window)
{
    window.setProperty(kGameWindowProperty, true);
}

void SetReading(QWidget& box, TPlayfieldReading& reading)
{
    box.setProperty(kReadingProperty, QVariant::fromValue(static_cast<void*>(&reading)));
}

void Announce(QWidget& box)
{
    TPlayfieldReading* reading = ReadingOf(&box);
    if (reading == nullptr)
        return;
    const TPlayfieldReading::TChanges changes = reading->Look();
    const bool listened = QAccessible::isActive();
    if (!listened && changes.Said.isEmpty())
        return;
    auto* panel = static_cast<TPanel*>(QAccessible::queryAccessibleInterface(&box));
    if (panel == nullptr)
        return;
    if (!changes.Said.isEmpty()) {
        panel->Status().Said = changes.Said;
        panel->Notice().Said = changes.Said;
    }
    if (!listened)
        return;
    TBoard& board = panel->Board();
    const int carried = reading->CarriedCell();
    // Taken up, moved or turned onto another cell: the focus goes along.
    const bool moved = carried >= 0 && (carried != board.current || !board.following);
    board.following = carried >= 0;
    if (moved)
        board.current = carried;
    for (int row = 0; row < kBoardSize; ++row)
        for (int column = 0; column < kBoardSize; ++column)
            if (changes.Cells[BoardIndex(column, row)])
                Send(&board.Cell(column, row), QAccessible::NameChanged);
    if (changes.Piece)
        Send(panel->Part(TPanel::kPiece), QAccessible::NameChanged);
    if (changes.Level)
        Send(panel->Part(TPanel::kLevel), QAccessible::NameChanged);
    if (changes.Score)
        Send(panel->Part(TPanel::kScore), QAccessible::NameChanged);
    if (moved && box.hasFocus())
        Send(&board.Cell(board.current), QAccessible::Focus);
    if (!changes.Said.isEmpty()) {
        Send(&panel->Status(), QAccessible::NameChanged);
        Send(&panel->Notice(), QAccessible::ObjectShow);
    }
}

void FocusCurrentCell(QWidget& box)
{
    if (!QAccessible::isActive() || ReadingOf(&box) == nullptr || !box.hasFocus())
        return;
    auto* panel = static_cast<TPanel*>(QAccessible::queryAccessibleInterface(&box));
    if (panel != nullptr)
        Send(&panel->Board().Cell(panel->Board().current), QAccessible::Focus);
}

}  // namespace AccessiblePlayfield
