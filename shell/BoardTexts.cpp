#include "shell/BoardTexts.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMouseEvent>

#include "assets/Texts.h"

namespace {

QLabel* AddBoardText(QWidget& window, const char* name, const QRect& place)
{
    auto* label = new QLabel(&window);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(19);
    label->setFont(font);
    // A light blue with a dark halo: plain blue would vanish into the night-blue board.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x8c, 0xb8, 0xff));
    label->setPalette(palette);
    auto* halo = new QGraphicsDropShadowEffect(label);
    halo->setOffset(0, 0);
    halo->setBlurRadius(6);
    halo->setColor(Qt::black);
    label->setGraphicsEffect(halo);
    return label;
}

}  // namespace

TBoardTexts::TBoardTexts(QWidget& window) : QObject(&window)
{
    pauseText_ = AddBoardText(window, "PauseText", {76, 144, 181, 77});
    pauseText_->setText(TextsFor(true).PauseText);
    pauseText_->hide();
    pauseText_->installEventFilter(this);
    // Until the run's first game starts, the empty board says how to begin.
    firstHint_ = AddBoardText(window, "FirstHint", {58, 150, 205, 70});
    firstHint_->setAttribute(Qt::WA_TransparentForMouseEvents);
    keptHint_ = AddBoardText(window, "KeptHint", {52, 112, 217, 116});
    keptHint_->setAttribute(Qt::WA_TransparentForMouseEvents);
    keptHint_->hide();
}

void TBoardTexts::ShowPauseText(bool visible)
{
    pauseText_->setVisible(visible);
}

void TBoardTexts::HideFirstHint()
{
    firstHint_->hide();
}

void TBoardTexts::ShowKeptNews(TKeptGameKeeper::TNews news)
{
    using TNews = TKeptGameKeeper::TNews;
    keptNews_ = news;
    const TTexts& texts = Texts();
    const QString* line = news == TNews::Waiting         ? &texts.KeptGameWaits
                          : news == TNews::Dropped       ? &texts.KeptGameDropped
                          : news == TNews::GoneElsewhere ? &texts.KeptGameGoneElsewhere
                                                         : nullptr;
    keptHint_->setVisible(line != nullptr);
    if (line != nullptr)
        keptHint_->setText(*line);
    // A waiting game's line stands alone on the board; a note on a game that
    // is gone stands above the first screen's line on how to start one.
    keptHint_->move(keptHint_->x(), news == TNews::Waiting ? 112 : 56);
    if (news == TNews::Waiting)
        firstHint_->hide();
    else if (news == TNews::GoneElsewhere)
        firstHint_->show();
}

void TBoardTexts::ApplyTexts()
{
    const TTexts& texts = Texts();
    pauseText_->setText(texts.PauseText);
    firstHint_->setText(texts.FirstHint);
}

bool TBoardTexts::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pauseText_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit PauseTextClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
