#include "online/online_service_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

#include "online/online_store.h"
#include "ui/artwork.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/online_choice_dialog.h"
#include "ui/controls.h"
#include "ui/manual_location.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = online_choice_dialog_control;

const QColor kGreyLabel(0x64, 0x64, 0x64);
const QColor kGreyField(0x50, 0x50, 0x50);

DialogUnits templateUnits() { return DialogUnits(templateFont(kArial, 10)); }

QSize windowSize() { return templateUnits().size(235, 231); }

// The painted texts and frames were placed in pixels for a template font 7 pixels wide and 16
// high on average; they move with the font measured here.
const QSize kPaintedBase(7, 16);

// The rectangle (left, top)–(right, bottom) of the painting, in this window's pixels.
QRect painted(int left, int top, int right, int bottom)
{
    return templateUnits().fromPixels(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), kPaintedBase);
}

struct ServiceRadio {
    int id;
    const char* text;
    QRect place;  // dialog units
};

const ServiceRadio kServices[] = {
    {control::ThematicPackages, "Tematické balíčky", {29, 54, 76, 10}},
    {control::TextbookPackages, "Balíčky z učebnic", {29, 67, 72, 10}},
    {control::FictionPackages, "Balíčky z anglické beletrie", {29, 80, 100, 10}},
    {control::Store, "Zásobník", {29, 97, 44, 10}},
};

CatalogueKind catalogueOfRadio(int id)
{
    return id == control::TextbookPackages ? CatalogueKind::Textbooks
           : id == control::FictionPackages ? CatalogueKind::Fiction
                                            : CatalogueKind::Thematic;
}

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

OnlineServiceDialog::OnlineServiceDialog(Program& program, QWidget* mainWindow)
    : FramedDialog(program, mainWindow, centredCorner(program, windowSize().width(), windowSize().height() / 2),
                   windowSize())
{
    createControls();
    layOutHelpText();
    applyFieldColours();
    attachControlBehaviour(this, WindowKind::OnlineChoice);
    focusLoginField(!name_->currentText().isEmpty());
}

void OnlineServiceDialog::createControls()
{
    const DialogUnits units = templateUnits();
    const QFont font = templateFont(kArial, 10);
    for (const ServiceRadio& service : kServices) {
        auto* radio = new QRadioButton(service.text, this);
        setControlId(radio, service.id);
        radio->setFont(font);
        const QRect place = units.rect(service.place.x(), service.place.y(), service.place.width(), service.place.height());
        // The box and the whole caption: a little wider than the template when the face runs wide.
        radio->setGeometry(place.adjusted(0, -2, std::max(0, radio->sizeHint().width() - place.width()), 2));
        connect(radio, &QRadioButton::clicked, this, &OnlineServiceDialog::serviceChosen);
        services_.push_back(radio);
    }
    findControlAs<QRadioButton>(this, control::Store)->setChecked(true);

    name_ = new QComboBox(this);
    setControlId(name_, control::UserName);
    name_->setEditable(true);
    name_->setInsertPolicy(QComboBox::NoInsert);
    name_->setFont(font);
    name_->setGeometry(units.rect(112, 121, 67, 12));
    std::vector<std::string> names = readUserNames(program_.tree);
    const QString latest = names.empty() ? QString() : QString::fromStdString(names.back());
    QStringList sorted;
    for (const std::string& name : names) {
        sorted << QString::fromStdString(name);
    }
    sorted.sort(Qt::CaseInsensitive);
    name_->addItems(sorted);
    name_->setCurrentText(latest);

    password_ = new QLineEdit(this);
    setControlId(password_, control::Password);
    password_->setEchoMode(QLineEdit::Password);
    password_->setFont(font);
    password_->setGeometry(units.rect(112, 136, 67, 12));

    auto* ok = new OwnerDrawnButton(program_, WindowKind::OnlineChoice, control::Ok, "OK", this);
    ok->setGeometry(units.rect(88, 165, 57, 22));
    connect(ok, &QPushButton::clicked, this, &OnlineServiceDialog::confirm);
    auto* cancel = new OwnerDrawnButton(program_, WindowKind::OnlineChoice, control::Cancel, "Storno", this);
    cancel->setGeometry(units.rect(161, 170, 46, 12));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    manualLink_ = new OwnerDrawnButton(program_, WindowKind::OnlineChoice, control::HelpLink, "helpu", this);
    connect(manualLink_, &QPushButton::clicked, this, &OnlineServiceDialog::openManual);
    guideLink_ = new OwnerDrawnButton(program_, WindowKind::OnlineChoice, control::GuideLink, "obrazového průvodce", this);
    connect(guideLink_, &QPushButton::clicked, this, &OnlineServiceDialog::openGuide);
}

// Lays the words of the help lines out in (20,412)–(400, bottom), wrapping where a word no
// longer fits, with the two links flowing among them, so that they sit in their gaps whatever
// the font's widths.
void OnlineServiceDialog::layOutHelpText()
{
    const QFontMetrics text(cellFont(kArial, 13));
    const QRect area = painted(20, 412, 400, 442);
    const int left = area.left();
    const int right = area.right();
    const int lineHeight = text.lineSpacing();
    QPoint at = area.topLeft();
    helpText_.push_back({"Nevíte která bije? Jste ztraceni?", at});
    at = QPoint(left, at.y() + lineHeight);
    const QStringList words = QString("Přečtěte si příslušnou část %1 k programu, nebo se podívejte na internet na %2")
                                  .split(' ');
    for (const QString& word : words) {
        OwnerDrawnButton* link = word == "%1" ? manualLink_ : word == "%2" ? guideLink_ : nullptr;
        const int width = link ? QFontMetrics(link->textFont()).horizontalAdvance(link->text()) + 2
                               : text.horizontalAdvance(word);
        if (at.x() + width > right && at.x() > left) {
            at = QPoint(left, at.y() + lineHeight);
        }
        if (link) {
            link->setGeometry(QRect(at, QSize(width, lineHeight)));
        } else {
            helpText_.push_back({word, at});
        }
        at.rx() += width + text.horizontalAdvance(' ');
    }
}

bool OnlineServiceDialog::storeChosen() const { return findControlAs<QRadioButton>(this, control::Store)->isChecked(); }

void OnlineServiceDialog::serviceChosen()
{
    applyFieldColours();
    if (storeChosen()) {
        focusLoginField(!name_->currentText().isEmpty());
    }
    update();  // the login labels change colour
}

void OnlineServiceDialog::applyFieldColours()
{
    const bool store = storeChosen();
    const ColourScheme& scheme = program_.scheme();
    for (QWidget* field : {static_cast<QWidget*>(name_), static_cast<QWidget*>(password_)}) {
        field->setEnabled(store);
        QPalette colours = field->palette();
        colours.setColor(QPalette::Base, toQColor(store ? scheme.editColour : scheme.dialogColour));
        colours.setColor(QPalette::Text, store ? toQColor(fixed_colour::kControlText) : kGreyField);
        colours.setColor(QPalette::Button, toQColor(store ? scheme.editColour : scheme.dialogColour));
        field->setPalette(colours);
    }
}

void OnlineServiceDialog::focusLoginField(bool password)
{
    if (password) {
        password_->setFocus();
        password_->selectAll();
    } else {
        name_->setFocus();
        name_->lineEdit()->selectAll();
    }
}

void OnlineServiceDialog::confirm()
{
    if (!storeChosen()) {
        if (!program_.dialogs.askYesNo(this, catalogueQuestion())) {
            return;
        }
        const auto chosen = std::find_if(services_.begin(), services_.end(), [](QRadioButton* r) { return r->isChecked(); });
        choice_ = OnlineServiceChoice::Catalogue;
        catalogue_ = catalogueOfRadio(controlId(*chosen));
        accept();
        return;
    }
    if (auto refused = checkStoreGroup(program_.collection)) {
        program_.dialogs.showMessage(this, *refused);
        return;
    }
    if (!program_.dialogs.askYesNo(this, storeQuestion())) {
        return;
    }
    const std::string name = name_->currentText().toStdString();
    const std::string password = password_->text().toStdString();
    if (auto refused = checkLogin(name, password)) {
        program_.dialogs.showMessage(this, refused->message);
        focusLoginField(refused->focus == LoginField::Password);
        return;
    }
    choice_ = OnlineServiceChoice::Store;
    login_ = Login{name, password};
    accept();
}

void OnlineServiceDialog::openManual()
{
    const auto page = findManual(executableDirectory(), program_.tree.programDirectory());
    if (!page) {
        program_.dialogs.showMessage(this, manualMissingMessage());
    } else if (!program_.shell.open(QString::fromStdString(page->string()))) {
        program_.dialogs.showMessage(this, notOpenedMessage(page->string()));
    }
}

void OnlineServiceDialog::openGuide()
{
    if (!program_.shell.open(fromUtf8(kOnlineGuideAddress))) {
        program_.dialogs.showMessage(this, notOpenedMessage(kOnlineGuideAddress));
    }
}

void OnlineServiceDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the focused button (a link, say), and "OK" from anywhere else.
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        button != nullptr ? button->click() : confirm();
    } else {
        FramedDialog::keyPressEvent(event);
    }
}

void OnlineServiceDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 23));
    painter.drawText(painted(0, 10, 410, 50), Qt::AlignCenter, "Stahování slovní zásoby z webu Brindle");
    painter.setFont(cellFont(kArial, 16, TextStyle::Bold));
    painter.drawText(painted(15, 80, 410, 110), Qt::AlignLeft | Qt::AlignTop, "Vyberte si prosím rozhraní:");

    painter.setPen(storeChosen() ? QColor(Qt::black) : kGreyLabel);
    painter.setFont(cellFont(kArial, 15));
    // The labels end a few pixels before their fields.
    painter.drawText(painted(90, 242, 196, 265).adjusted(0, 0, -5, 0),
                     Qt::AlignRight | Qt::AlignVCenter, "Uživatelské jméno:");
    painter.drawText(painted(90, 272, 196, 295).adjusted(0, 0, -5, 0), Qt::AlignRight | Qt::AlignVCenter,
                     "Uživatelské heslo:");
    painter.drawText(painted(45, 220, 375, 250), Qt::AlignHCenter | Qt::AlignTop,
                     "Přihlašovací údaje (stejné jako na webu Brindle):");

    // The frame around the login, its top edge open between x 45 and 124.
    const QRectF frame = QRectF(painted(28, 204, 383, 312)).adjusted(0.5, 0.5, -0.5, -0.5);
    const QRect gap = painted(45, 204, 124, 205);
    const qreal radius = 10;
    QPainterPath path(QPointF(gap.right() + 1, frame.top()));
    path.lineTo(frame.right() - radius, frame.top());
    path.arcTo(QRectF(frame.right() - 2 * radius, frame.top(), 2 * radius, 2 * radius), 90, -90);
    path.lineTo(frame.right(), frame.bottom() - radius);
    path.arcTo(QRectF(frame.right() - 2 * radius, frame.bottom() - 2 * radius, 2 * radius, 2 * radius), 0, -90);
    path.lineTo(frame.left() + radius, frame.bottom());
    path.arcTo(QRectF(frame.left(), frame.bottom() - 2 * radius, 2 * radius, 2 * radius), 270, -90);
    path.lineTo(frame.left(), frame.top() + radius);
    path.arcTo(QRectF(frame.left(), frame.top(), 2 * radius, 2 * radius), 180, -90);
    path.lineTo(gap.left(), frame.top());
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    paintArt(painter, Art::AboutPicture, program_.schemeNumber,
             QRectF(painted(260, 65, 261, 66).topLeft(), artSize(Art::AboutPicture, program_.schemeNumber)));

    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 13));
    const int lineHeight = QFontMetrics(painter.font()).lineSpacing();
    for (const TextPiece& piece : helpText_) {
        painter.drawText(QRect(piece.position, QSize(400, lineHeight)), Qt::AlignLeft | Qt::AlignTop, piece.text);
    }
}

}  // namespace lexivo
