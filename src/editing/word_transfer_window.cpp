#include "editing/word_transfer_window.h"

#include <algorithm>

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>

#include "editing/card_animation.h"
#include "editing/card_flight.h"
#include "ui/artwork.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/word_transfer_window.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = word_transfer_window_control;

// The window template's size in dialog units; the preview is a narrow window of plain pixels.
constexpr int kWidthUnits = 505;
constexpr int kHeightUnits = 330;
constexpr QSize kPreviewSize(380, 540);
const QColor kFrameColour(0x28, 0x28, 0x28);

constexpr TransferButton kButtons[] = {TransferButton::MoveRight, TransferButton::MoveLeft, TransferButton::CopyRight,
                                       TransferButton::CopyLeft, TransferButton::Delete};

int buttonId(TransferButton button)
{
    switch (button) {
    case TransferButton::MoveRight: return control::MoveRight;
    case TransferButton::MoveLeft: return control::MoveLeft;
    case TransferButton::CopyRight: return control::CopyRight;
    case TransferButton::CopyLeft: return control::CopyLeft;
    case TransferButton::Delete: break;
    }
    return control::Delete;
}

int sideIndex(Side side) { return side == Side::Left ? 0 : 1; }

// Quick help names the window's uses in its own words.
TransferUse transferUse(TransferMode mode)
{
    switch (mode) {
    case TransferMode::Transfer: return TransferUse::BetweenPackages;
    case TransferMode::RemainingWords: return TransferUse::TestRemainder;
    case TransferMode::OnlineStore: return TransferUse::OnlineStore;
    case TransferMode::OnlinePreview: return TransferUse::OnlinePreview;
    }
    return TransferUse::BetweenPackages;
}

QString qt(const std::string& text) { return QString::fromStdString(text); }

QSize windowSize(TransferMode mode)
{
    if (mode == TransferMode::OnlinePreview) {
        return kPreviewSize;
    }
    const DialogUnits units(templateFont());
    return {units.x(kWidthUnits), units.y(kHeightUnits)};
}

// Text drawn with its top-left corner at `place`, as the window's labels are placed.
void drawTextAt(QPainter& painter, QPoint place, const QFont& font, const QString& text)
{
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QRect area(place, QSize(metrics.horizontalAdvance(text) + 2, metrics.height() + 2));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

// A name too long for the room left in the window ends in "…"; its box or list shows it whole.
QString elided(const QFont& font, const QString& text, int width)
{
    return QFontMetrics(font).elidedText(text, Qt::ElideRight, width);
}

void drawTextAt(QPainter& painter, QPoint place, int height, const QString& text)
{
    drawTextAt(painter, place, cellFont(kArial, height), text);
}

}  // namespace

WordTransferWindow::WordTransferWindow(Program& program, QWidget* mainWindow, TransferMode mode, TransferOpening opening)
    : FramedDialog(program, mainWindow, centredCorner(program, windowSize(mode).width(), windowSize(mode).height() / 2),
                   windowSize(mode)),
      transfer_(program.tree, mode, program.collection.currentGroup(), mode == TransferMode::RemainingWords ? opening.package : "",
                localeNameOrder()),
      opening_(std::move(opening))
{
    setCloseKeys(CloseKeys::Swallow);  // only "OK" closes the window
    createControls();
    layOutForMode();
    transfer_.open(opening_.package);
    for (Side side : {Side::Left, Side::Right}) {
        fillChoices(side);
        showLines(side);
        if (controls(side).words->count() > 0) {
            controls(side).words->setCurrentRow(0);
        }
    }
    // Both sides start on the same package in transfer mode: its failure is said once.
    reportUnreadable(Side::Left);
    if (transfer_.group(Side::Right) != transfer_.group(Side::Left) || transfer_.package(Side::Right) != transfer_.package(Side::Left)) {
        reportUnreadable(Side::Right);
    }
    attachControlBehaviour(this, WindowKind::WordTransfer, [this] {
        QuickHelpState state;
        state.transferUse = transferUse(transfer_.mode());
        state.lastFocusedList = transfer_.deleteSide() == Side::Left ? TransferList::Left : TransferList::Right;
        return state;
    });
    for (const SideControls& side : sides_) {
        side.words->installEventFilter(this);
    }
    transfer_.setDeleteSide(Side::Left);
    updateDeleteArrow();
    controls(Side::Left).words->setFocus();
}

void WordTransferWindow::createControls()
{
    createSide(Side::Left);
    createSide(Side::Right);
    const DialogUnits units(templateFont());
    const int y[] = {107, 133, 175, 199, 240};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const TransferButton which = kButtons[i];
        auto* made = new OwnerDrawnButton(program_, WindowKind::WordTransfer, buttonId(which), QString(), this);
        made->setGeometry(units.rect(231, y[i], 42, 17));
        connect(made, &QPushButton::clicked, this, [this, which] { press(which); });
    }
    auto* ok = new OwnerDrawnButton(program_, WindowKind::WordTransfer, control::Ok, "OK", this);
    ok->setGeometry(units.rect(218, 292, 69, 31));
    connect(ok, &QPushButton::clicked, this, &WordTransferWindow::closeWindow);
}

void WordTransferWindow::createSide(Side side)
{
    const DialogUnits units(templateFont());
    const int i = sideIndex(side);
    const QColor field = toQColor(program_.scheme().editColour);
    const QColor text = toQColor(fixed_colour::kControlText);
    // Closed drop-downs are one line high; the template's height is that of the open list.
    const int dropDownHeight = units.y(13);
    auto dropDown = [&](int id, int x, int y, int width) {
        auto* box = new QComboBox(this);
        setControlId(box, id);
        box->setGeometry(units.x(x), units.y(y), units.x(width), dropDownHeight);
        box->setFont(templateFont());
        setFieldColours(box, field, text, field, text);
        return box;
    };
    SideControls& made = controls(side);
    made.group = dropDown(control::LeftGroup + i, i ? 381 : 93, 60, 84);
    made.package = dropDown(control::LeftPackage + i, i ? 381 : 93, 76, 84);
    made.order = dropDown(control::LeftSort + i, i ? 385 : 103, 302, 74);
    made.words = new QListWidget(this);
    setControlId(made.words, control::LeftWords + i);
    made.words->setGeometry(units.rect(i ? 294 : 15, 97, 196, 187));
    made.words->setFont(templateFont());
    made.words->setSelectionMode(QAbstractItemView::ExtendedSelection);
    made.words->setUniformItemSizes(true);
    setFieldColours(made.words, field, text, field, text);

    connect(made.group, &QComboBox::activated, this, [this, side] { chooseGroup(side); });
    connect(made.package, &QComboBox::activated, this, [this, side] { choosePackage(side); });
    connect(made.order, &QComboBox::activated, this, [this, side] { chooseOrder(side); });
    if (side == Side::Left && transfer_.mode() == TransferMode::OnlinePreview) {
        connect(made.words, &QListWidget::itemSelectionChanged, this, &WordTransferWindow::keepPreviewSelection);
    }
}

OwnerDrawnButton* WordTransferWindow::button(TransferButton which) const
{
    return findControlAs<OwnerDrawnButton>(this, buttonId(which));
}

void WordTransferWindow::layOutForMode()
{
    const TransferMode mode = transfer_.mode();
    for (TransferButton which : kButtons) {
        button(which)->setVisible(buttonShown(mode, which));
    }
    button(TransferButton::MoveRight)->setArrow(OwnerDrawnButton::Arrow::Right, 3);
    button(TransferButton::CopyRight)->setArrow(OwnerDrawnButton::Arrow::Right, 5);
    button(TransferButton::CopyLeft)->setArrow(OwnerDrawnButton::Arrow::Left, 5);
    const bool special = isSpecialMode(mode);
    button(TransferButton::MoveLeft)->setArrow(special ? OwnerDrawnButton::Arrow::RightThenDown : OwnerDrawnButton::Arrow::Left, 3);
    if (special) {
        button(TransferButton::CopyRight)->setGeometry(348, 250, 63, 28);
        button(TransferButton::MoveLeft)->setGeometry(348, 341, 63, 28);
    }
    for (Side side : {Side::Left, Side::Right}) {
        controls(side).group->setVisible(sideChoosable(mode, side));
    }
    if (mode == TransferMode::OnlinePreview) {
        const SideControls& right = controls(Side::Right);
        for (QWidget* hidden : {static_cast<QWidget*>(right.words), static_cast<QWidget*>(right.order)}) {
            hidden->hide();
        }
        const SideControls& left = controls(Side::Left);
        left.words->resize(332, 260);
        left.order->move(156, 432);
        findControl(this, control::Ok)->move(140, 476);
    }
}

void WordTransferWindow::fillChoices(Side side)
{
    SideControls& made = controls(side);
    {
        const QSignalBlocker quiet(made.group);
        made.group->clear();
        for (const std::string& group : transfer_.groupChoices(side, program_.collection.groupTable())) {
            made.group->addItem(qt(group));
        }
        made.group->setCurrentIndex(made.group->findText(qt(transfer_.group(side)), Qt::MatchExactly));
    }
    widenListToEntries(made.group);
    {
        const QSignalBlocker quiet(made.order);
        made.order->clear();
        const std::vector<std::string> labels = wordOrderLabels(program_.language.sortOrder.toStdString());
        for (int order = 0; order <= static_cast<int>(WordOrder::DateAdded); ++order) {
            made.order->addItem(qt(labels[static_cast<std::size_t>(order)]));
        }
        made.order->setCurrentIndex(static_cast<int>(transfer_.order(side)));
    }
    // The orders' names are read whole in the closed box too.
    made.order->resize(std::max(made.order->width(), made.order->sizeHint().width()), made.order->height());
    showPackageChoices(side);
}

void WordTransferWindow::showPackageChoices(Side side)
{
    SideControls& made = controls(side);
    {
        const QSignalBlocker quiet(made.package);
        made.package->clear();
        for (const std::string& package : transfer_.packageChoices(side)) {
            made.package->addItem(qt(package));
        }
        made.package->setCurrentIndex(made.package->findText(qt(transfer_.package(side)), Qt::MatchExactly));
    }
    widenListToEntries(made.package);
    made.package->setVisible(transfer_.packageChoiceShown(side));
    update();  // "skupina žádné neobsahuje" comes or goes
}

void WordTransferWindow::showLines(Side side)
{
    QListWidget* list = controls(side).words;
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(transfer_.lines(side).size()));
    for (const std::string& line : transfer_.lines(side)) {
        lines << qt(line);
    }
    const QSignalBlocker quiet(list);
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(lines);
    list->setUpdatesEnabled(true);
    updateDeleteArrow();
}

void WordTransferWindow::chooseGroup(Side side)
{
    transfer_.chooseGroup(side, controls(side).group->currentText().toStdString());
    showPackageChoices(side);
    showLines(side);
    reportUnreadable(side);
}

void WordTransferWindow::choosePackage(Side side)
{
    transfer_.choosePackage(side, controls(side).package->currentText().toStdString());
    showLines(side);
    reportUnreadable(side);
}

// An empty list must not pass for a package without words when its file could not be read.
void WordTransferWindow::reportUnreadable(Side side)
{
    if (const auto& failure = transfer_.readFailure(side)) {
        program_.dialogs.showMessage(isVisible() ? this : parentWidget(), *failure);
    }
}

void WordTransferWindow::chooseOrder(Side side)
{
    transfer_.chooseOrder(side, static_cast<WordOrder>(controls(side).order->currentIndex()));
    showLines(side);
}

void WordTransferWindow::keepPreviewSelection()
{
    const TransferSelection selected = selection();
    const std::vector<std::size_t> kept = previewSelection(selected.left);
    if (kept.size() != selected.left.size()) {
        reselect({kept, selected.right});
    }
}

void WordTransferWindow::updateDeleteArrow()
{
    button(TransferButton::Delete)
        ->setArrow(transfer_.deleteSide() == Side::Left ? OwnerDrawnButton::Arrow::LeftThenDown
                                                        : OwnerDrawnButton::Arrow::RightThenDown,
                   3);
}

TransferSelection WordTransferWindow::selection() const
{
    TransferSelection selected;
    for (Side side : {Side::Left, Side::Right}) {
        std::vector<std::size_t>& rows = side == Side::Left ? selected.left : selected.right;
        // Range by range: asking row by row costs a scan of all ranges for each row.
        for (const QItemSelectionRange& range : controls(side).words->selectionModel()->selection()) {
            for (int row = range.top(); row <= range.bottom(); ++row) {
                rows.push_back(static_cast<std::size_t>(row));
            }
        }
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    }
    return selected;
}

void WordTransferWindow::reselect(const TransferSelection& selected)
{
    for (Side side : {Side::Left, Side::Right}) {
        QListWidget* list = controls(side).words;
        const QSignalBlocker quiet(list);
        std::vector<std::size_t> rows = selected.of(side);
        std::sort(rows.begin(), rows.end());
        QItemSelection selection;
        // Runs of neighbouring rows become one range each.
        for (std::size_t first = 0; first < rows.size();) {
            std::size_t last = first;
            while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1) {
                ++last;
            }
            const int top = static_cast<int>(rows[first]);
            const int bottom = std::min(static_cast<int>(rows[last]), list->count() - 1);
            if (top <= bottom) {
                selection.select(list->model()->index(top, 0), list->model()->index(bottom, 0));
            }
            first = last + 1;
        }
        list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
}

void WordTransferWindow::press(TransferButton which)
{
    if (!buttonShown(transfer_.mode(), which)) {
        return;
    }
    const TransferSelection selected = selection();
    const TransferChecks checks = transfer_.check(which, selected);
    if (checks.refusal) {
        program_.dialogs.showMessage(this, *checks.refusal);
        return;
    }
    if (checks.question && !program_.dialogs.askYesNo(this, *checks.question)) {
        return;
    }
    if (checks.refusalAfterQuestion) {
        program_.dialogs.showMessage(this, *checks.refusalAfterQuestion);
        return;
    }
    startFlight(which);
    const TransferOutcome outcome = transfer_.perform(which, selected);
    showLines(Side::Left);
    showLines(Side::Right);
    reselect(outcome.reselect);
    controls(outcome.focus).words->setFocus();
    if (outcome.message) {
        program_.dialogs.showMessage(this, *outcome.message);
    }
}

void WordTransferWindow::startFlight(TransferButton which)
{
    delete flight_.data();
    flight_ = new CardAnimation(program_, this, cardFlight(transfer_.mode(), which, transfer_.deleteSide()));
}

bool WordTransferWindow::cardFlying() const { return !flight_.isNull() && flight_->flying(); }

bool WordTransferWindow::eventFilter(QObject* watched, QEvent* event)
{
    for (Side side : {Side::Left, Side::Right}) {
        if (watched != controls(side).words) {
            continue;
        }
        if (event->type() == QEvent::FocusIn && buttonShown(transfer_.mode(), TransferButton::Delete)) {
            transfer_.setDeleteSide(side);
            updateDeleteArrow();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const std::optional<TransferKey> pressed = key == Qt::Key_Delete ? std::optional(TransferKey::Delete)
                                                       : key == Qt::Key_F5   ? std::optional(TransferKey::F5)
                                                       : key == Qt::Key_F6   ? std::optional(TransferKey::F6)
                                                                             : std::nullopt;
            if (pressed) {
                if (const auto target = buttonForKey(transfer_.mode(), side, *pressed)) {
                    press(*target);
                }
                return true;
            }
        }
    }
    return FramedDialog::eventFilter(watched, event);
}

void WordTransferWindow::closeWindow()
{
    if (closing_) {
        return;
    }
    closing_ = true;
    if (opening_.beforeClosing) {
        opening_.beforeClosing(this);
    }
    accept();
}

void WordTransferWindow::reject() { closeWindow(); }

void WordTransferWindow::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const TransferMode mode = transfer_.mode();
    if (mode == TransferMode::Transfer) {
        const QColor background = toQColor(program_.scheme().dialogColour);
        struct Frame {
            QRect box;
            QString title;
        };
        for (const Frame& frame : {Frame{QRect(QPoint(328, 160), QPoint(427, 254)), " Přesun "},
                                   Frame{QRect(QPoint(328, 270), QPoint(427, 359)), " Kopírování "},
                                   Frame{QRect(QPoint(328, 375), QPoint(427, 459)), " Mazání "}}) {
            painter.setPen(QPen(kFrameColour, 1));
            painter.setBrush(background);
            painter.drawRoundedRect(QRectF(frame.box).translated(0.5, 0.5), 5, 5);
            const QFont font = cellFont(kArial, 16);
            const QRect title(frame.box.topLeft() + QPoint(7, -6), QSize(QFontMetrics(font).horizontalAdvance(frame.title), 16));
            painter.fillRect(title, background);  // the title stands on the frame's edge
            drawTextAt(painter, title.topLeft(), 16, frame.title);
        }
    }
    if (mode != TransferMode::OnlinePreview) {
        const QPoint bin = mode == TransferMode::Transfer ? QPoint(365, 422) : QPoint(365, 400);
        paintArt(painter, Art::WasteBin, program_.schemeNumber, QRectF(bin, QSizeF(32, 32)));
    }
    paintLabels(painter);
}

void WordTransferWindow::paintLabels(QPainter& painter)
{
    const TransferMode mode = transfer_.mode();
    painter.setPen(Qt::black);
    const QString title = qt(std::string(transferTitle(mode)));
    // The sort labels end where their box begins.
    const QString sortLabel = "Řadit podle:";
    const int sortRoom = controls(Side::Left).order->x() - 67 - 4;
    if (mode == TransferMode::OnlinePreview) {
        drawTextAt(painter, {46, 20}, 35, title);
        const PreviewHeading heading = transfer_.previewHeading().value_or(PreviewHeading{});
        const QFont font = fittedFont(cellFont(kArial, 20), {{"Tematický okruh:", 165 - 35 - 4}, {"Skupina:", 105 - 35 - 4},
                                          {"Balíček:", 105 - 35 - 4}});
        drawTextAt(painter, {35, 85}, font, "Tematický okruh:");
        drawTextAt(painter, {165, 85}, font, elided(font, qt(heading.topic), width() - 165 - 5));
        drawTextAt(painter, {35, 107}, font, "Skupina:");
        drawTextAt(painter, {105, 107}, font, elided(font, qt(heading.group), width() - 105 - 5));
        drawTextAt(painter, {35, 129}, font, "Balíček:");
        drawTextAt(painter, {105, 129}, font, elided(font, qt(heading.package), width() - 105 - 5));
        drawTextAt(painter, {67, 431}, fittedFont(cellFont(kArial, 20), {{sortLabel, sortRoom}}), sortLabel);
        return;
    }
    const QPoint titlePlace = mode == TransferMode::Transfer         ? QPoint(150, 25)
                              : mode == TransferMode::OnlineStore    ? QPoint(121, 25)
                                                                     : QPoint(195, 25);
    drawTextAt(painter, titlePlace, 40, title);
    const QFont sortFont = fittedFont(cellFont(kArial, 20), {{sortLabel, sortRoom}});
    drawTextAt(painter, {67, 491}, sortFont, sortLabel);
    drawTextAt(painter, {490, 492}, sortFont, sortLabel);
    // "Skupina:" and "Balíček:" end where the drop-downs begin.
    const int sideRoom = controls(Side::Left).group->x() - 75 - 4;
    const QFont sideFont = fittedFont(cellFont(kArial, 20), {{"Skupina:", sideRoom}, {"Balíček:", sideRoom}});
    drawTextAt(painter, {507, 125}, sideFont, "Balíček:");
    switch (mode) {
    case TransferMode::Transfer:
        drawTextAt(painter, {75, 99}, sideFont, "Skupina:");
        drawTextAt(painter, {75, 125}, sideFont, "Balíček:");
        drawTextAt(painter, {507, 99}, sideFont, "Skupina:");
        for (Side side : {Side::Left, Side::Right}) {
            if (!transfer_.packageChoiceShown(side)) {
                drawTextAt(painter, side == Side::Left ? QPoint(137, 127) : QPoint(569, 127), 16, "skupina žádné neobsahuje");
            }
        }
        break;
    case TransferMode::RemainingWords:
        drawTextAt(painter, {75, 125}, 20, "Slovíčka zbývající v testu");
        drawTextAt(painter, {570, 125}, sideFont, elided(sideFont, qt(transfer_.package(Side::Right)), width() - 575));
        break;
    case TransferMode::OnlineStore:
        drawTextAt(painter, {507, 99}, sideFont, "Skupina:");
        drawTextAt(painter, {61, 125}, 20, "Slovíčka ve Vašem Zásobníku");
        break;
    case TransferMode::OnlinePreview:
        break;
    }
}

}  // namespace lexivo
