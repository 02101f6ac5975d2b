#include "ui/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPainter>
#include <QRadioButton>

#include "ui/control_behaviour.h"
#include "ui/control_ids/settings_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"
#include "ui/settings_options.h"
#include "ui/voice_dialog.h"

namespace lexivo {
namespace {

namespace control = settings_dialog_control;

// The template's measures and places, in dialog units of Arial 10.
constexpr int kWidthUnits = 309;
constexpr int kHeightUnits = 262;
struct Place {
    int control;
    int x;
    int y;
};
constexpr Place kPlaces[] = {
    {control::ShowPackageName, 13, 48}, {control::ShowLanguageIcon, 13, 72}, {control::AllowExample, 13, 87},
    {control::TypingColours, 13, 103},  {control::SpeechEngine, 22, 158},    {control::SpeechClipboard, 22, 169},
    {control::SpeechNever, 22, 180},    {control::AutoSpeak, 22, 199},
};
constexpr int kSchemeX = 106, kSchemeY = 122, kSchemeWidth = 48;
constexpr int kVoiceX = 179, kVoiceY = 158, kVoiceWidth = 80;
constexpr int kOkX = 116, kOkY = 230, kOkWidth = 69, kOkHeight = 25;

const QString kSchemeCaption = "Používané barevné schéma:";
const QString kPackageNote = "pozn.: má vliv pouze pokud jsou slovíčka vybírána z více balíčků";

QPoint placeOf(const DialogUnits& units, int id)
{
    for (const Place& place : kPlaces) {
        if (place.control == id) {
            return {units.x(place.x), units.y(place.y)};
        }
    }
    return {};
}

}  // namespace

SettingsDialog::SettingsDialog(Program& program, QWidget* mainWindow)
    : FramedDialog(program, mainWindow, QPoint(), QSize())
{
    const DialogUnits units(templateFont(kArial, 10));
    const QSize size(units.x(kWidthUnits), units.y(kHeightUnits));
    resize(size);
    moveOverMainWindow(centredCorner(program, size.width(), size.height() / 2));
    createControls();
    applyColours();
    attachControlBehaviour(this, WindowKind::Settings);
    findControl(this, control::Ok)->setFocus();
}

void SettingsDialog::createControls()
{
    const DialogUnits units(templateFont(kArial, 10));
    const QFont font = templateFont(kArial, 10);
    const int right = width() - units.x(8);
    const auto place = [&](QWidget* widget, int id) {
        setControlId(widget, id);
        widget->setFont(font);
        const QPoint corner = placeOf(units, id);
        widget->setGeometry(corner.x(), corner.y(), right - corner.x(), widget->sizeHint().height());
    };

    for (const SettingsOption& option : settingsOptions()) {
        auto* box = new QCheckBox(QString::fromUtf8(option.caption.data(), static_cast<qsizetype>(option.caption.size())), this);
        place(box, option.control);
        box->setChecked(program_.config.*option.field != 0);
        connect(box, &QCheckBox::clicked, this, [this, option](bool on) {
            program_.config.*option.field = on ? 1 : 0;
            emit program_.events.testOptionChanged(option.shownIn);
        });
    }

    bool modeShown = false;
    for (const SpeechChoice& choice : speechChoices()) {
        auto* radio = new QRadioButton(QString::fromUtf8(choice.caption.data(), static_cast<qsizetype>(choice.caption.size())), this);
        place(radio, choice.control);
        radio->setChecked(choice.mode == program_.config.speechMode);
        modeShown = modeShown || radio->isChecked();
        connect(radio, &QRadioButton::clicked, this, [this, mode = choice.mode] { chooseSpeechMode(mode); });
    }
    if (!modeShown) {  // an unknown mode speaks as never
        findControlAs<QRadioButton>(this, control::SpeechNever)->setChecked(true);
    }
    // The first radio ends where the voice button begins.
    QWidget* engine = findControl(this, control::SpeechEngine);
    engine->setFixedWidth(units.x(kVoiceX) - engine->x() - units.x(4));

    auto* voice = new OwnerDrawnButton(program_, WindowKind::Settings, control::SpeechSettings, "Nastavení hlasu", this);
    voice->setGeometry(units.x(kVoiceX), units.y(kVoiceY), units.x(kVoiceWidth), units.y(11));
    connect(voice, &QPushButton::clicked, this, [this] { VoiceDialog(program_, this).exec(); });

    // The scheme list stands right of its caption, which the painting puts before it.
    scheme_ = new QComboBox(this);
    setControlId(scheme_, control::Scheme);
    scheme_->setFont(cellFont(kArial, 15));
    for (int number = 0; number < kSchemeCount; ++number) {
        const std::string_view name = colourScheme(number).name;
        scheme_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    scheme_->setCurrentIndex(program_.schemeNumber);
    const QFont captionFont = cellFont(kArial, 16);
    const int captionWidth = QFontMetrics(captionFont).horizontalAdvance(kSchemeCaption);
    const int schemeX = std::max(units.x(kSchemeX), 25 + captionWidth + 8);
    scheme_->setGeometry(schemeX, units.y(kSchemeY), std::max(units.x(kSchemeWidth), scheme_->sizeHint().width()),
                         scheme_->sizeHint().height());
    schemeCaption_ = QRect(25, scheme_->y() + (scheme_->height() - 18) / 2, captionWidth + 4, 18);
    connect(scheme_, &QComboBox::activated, this, &SettingsDialog::chooseScheme);

    auto* ok = new OwnerDrawnButton(program_, WindowKind::Settings, control::Ok, "OK", this);
    // The button's text is as high as the design grid says; the button grows to hold it.
    const int okHeight = std::max(units.y(kOkHeight), QFontMetrics(ok->textFont()).height() + 4);
    ok->setGeometry(units.x(kOkX), std::min(units.y(kOkY), height() - okHeight - 6), units.x(kOkWidth), okHeight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // The pronunciation frame holds the radios, the voice button and the automatic speaking.
    const QWidget* first = findControl(this, control::SpeechEngine);
    const QWidget* last = findControl(this, control::AutoSpeak);
    speechFrame_ = QRect(QPoint(30, first->y() - 14), QPoint(width() - 30, last->geometry().bottom() + 10));

    showSpeechControls(modeShown ? program_.config.speechMode : SpeechMode::Never);
}

void SettingsDialog::chooseScheme(int number)
{
    // The file first: when it cannot be written, the scheme stays as it was.
    if (Status saved = saveColourScheme(program_.tree, number); !saved) {
        program_.dialogs.showMessage(this, saved.message());
        scheme_->setCurrentIndex(program_.schemeNumber);
        return;
    }
    program_.schemeNumber = number;
    applyColours();
    emit program_.events.schemeChanged();
}

void SettingsDialog::chooseSpeechMode(SpeechMode mode)
{
    program_.config.speechMode = mode;
    showSpeechControls(mode);
}

void SettingsDialog::showSpeechControls(SpeechMode mode)
{
    const SpeechControls shown = speechControlsFor(mode);
    findControl(this, control::AutoSpeak)->setVisible(shown.autoSpeakShown);
    findControl(this, control::SpeechSettings)->setVisible(shown.voiceSettingsShown);
}

void SettingsDialog::applyColours()
{
    const ColourScheme& scheme = program_.scheme();
    setBackground(toQColor(scheme.dialogColour));
    QPalette list = scheme_->palette();
    list.setColor(QPalette::Button, toQColor(scheme.editColour));
    list.setColor(QPalette::Base, toQColor(scheme.dialogColour));
    list.setColor(QPalette::Text, toQColor(fixed_colour::kControlText));
    list.setColor(QPalette::ButtonText, toQColor(fixed_colour::kControlText));
    scheme_->setPalette(list);
    update();
}

void SettingsDialog::done(int result)
{
    if (Status saved = saveProgramConfig(program_.tree, program_.config); !saved) {
        program_.dialogs.showMessage(this, saved.message());
    }
    FramedDialog::done(result);
}

void SettingsDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 40));
    painter.drawText(QRect(0, 7, width(), 50), Qt::AlignCenter | Qt::TextSingleLine, "Nastavení");

    const QFont text = cellFont(kArial, 16);
    painter.setFont(text);
    painter.drawText(schemeCaption_, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, kSchemeCaption);
    const QWidget* packageName = findControl(this, control::ShowPackageName);
    const QWidget* languageIcon = findControl(this, control::ShowLanguageIcon);
    const int noteTop = packageName->geometry().bottom() + 1;
    painter.drawText(QRect(130, noteTop, width() - 140, languageIcon->y() - noteTop),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, kPackageNote);

    const QColor fill = toQColor(program_.scheme().dialogColour);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(speechFrame_).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    const QString caption = " Výslovnost ";
    const QRect label(50, speechFrame_.top() - 8, QFontMetrics(text).horizontalAdvance(caption), 17);
    painter.fillRect(label, fill);
    painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
}

}  // namespace lexivo
