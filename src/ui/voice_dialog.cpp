#include "ui/voice_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSlider>

#include "ui/control_behaviour.h"
#include "ui/control_ids/voice_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = voice_dialog_control;

constexpr int kWidth = 480;
constexpr int kHeight = 300;
constexpr int kFieldX = 190;
constexpr int kFieldWidth = 270;
const QString kDefault = "výchozí";  // the system's default engine or voice
const QString kSample = "Hello! This is how your English words will sound.";

QString qt(const std::string& text) { return QString::fromStdString(text); }

// The stored name of a list's current entry: empty for the default.
std::string chosenName(const QComboBox* list) { return list->currentIndex() <= 0 ? std::string() : list->currentText().toStdString(); }

void select(QComboBox* list, const std::string& name)
{
    const int found = name.empty() ? 0 : list->findText(qt(name));
    list->setCurrentIndex(std::max(found, 0));
}

}  // namespace

VoiceDialog::VoiceDialog(Program& program, QWidget* owner)
    : FramedDialog(program, owner, QPoint(), QSize(kWidth, kHeight)), before_(loadVoiceSettings(program.tree))
{
    // Centred over the window that opened it.
    move(owner->mapToGlobal(QPoint((owner->width() - kWidth) / 2, (owner->height() - kHeight) / 2)));
    const QFont font = cellFont(kArial, 17);
    auto caption = [&](int id, const QString& text, int y) {
        addStatic(this, id, text, QRect(20, y, kFieldX - 30, 28), font)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    };
    auto field = [&](auto* widget, int id, int y) {
        setControlId(widget, id);
        widget->setFont(font);
        widget->setGeometry(kFieldX, y, kFieldWidth, 28);
        return widget;
    };
    caption(control::EngineCaption, "Hlasový syntetizátor:", 65);
    engine_ = field(new QComboBox(this), control::Engine, 65);
    engine_->addItem(kDefault);
    engine_->addItems(program.voice.engines());
    caption(control::VoiceCaption, "Hlas:", 105);
    voice_ = field(new QComboBox(this), control::VoiceList, 105);
    caption(control::RateCaption, "Rychlost řeči:", 145);
    rate_ = field(new QSlider(Qt::Horizontal, this), control::Rate, 145);
    rate_->setRange(VoiceSettings::kSlowest, VoiceSettings::kFastest);
    rate_->setTickPosition(QSlider::TicksBelow);
    rate_->setTickInterval(5);

    select(engine_, before_.engine);
    fillVoices();
    select(voice_, before_.voice);
    rate_->setValue(before_.rate);
    connect(engine_, &QComboBox::currentIndexChanged, this, &VoiceDialog::fillVoices);

    auto button = [&](int id, const QString& text, QRect place) {
        auto* widget = new OwnerDrawnButton(program, WindowKind::Voice, id, text, this);
        widget->setGeometry(place);
        return widget;
    };
    connect(button(control::Try, "Vyzkoušet", QRect(kFieldX, 190, 150, 34)), &QPushButton::clicked, this, [this] {
        program_.voice.use(chosen());
        program_.voice.say(kSample);
    });
    connect(button(control::Ok, "OK", QRect(110, 245, 120, 38)), &QPushButton::clicked, this, &VoiceDialog::keep);
    connect(button(control::Cancel, "Storno", QRect(250, 245, 120, 38)), &QPushButton::clicked, this, &QDialog::reject);
    attachControlBehaviour(this, WindowKind::Voice);
    engine_->setFocus();
}

VoiceSettings VoiceDialog::chosen() const { return {chosenName(engine_), chosenName(voice_), rate_->value()}; }

void VoiceDialog::fillVoices()
{
    const std::string engine = chosenName(engine_);
    voice_->clear();
    voice_->addItem(kDefault);
    voice_->addItems(program_.voice.voices(engine.empty() ? QString() : qt(engine)));
}

void VoiceDialog::keep()
{
    const VoiceSettings settings = chosen();
    if (Status saved = saveVoiceSettings(program_.tree, settings); !saved) {
        program_.dialogs.showMessage(this, saved.message());
        return;  // the window stays open, so that the choice is not lost
    }
    program_.voice.use(settings);
    accept();
}

void VoiceDialog::reject()
{
    program_.voice.use(before_);
    FramedDialog::reject();
}

void VoiceDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the focused button, and elsewhere confirms the choice.
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
            button->click();
        } else {
            keep();
        }
    } else {
        FramedDialog::keyPressEvent(event);
    }
}

void VoiceDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 30));
    painter.drawText(QRect(0, 10, width(), 40), Qt::AlignCenter | Qt::TextSingleLine, "Nastavení hlasu");
    painter.setFont(cellFont(kArial, 13));
    painter.drawText(QRect(kFieldX, 172, kFieldWidth, 16), Qt::AlignLeft | Qt::TextSingleLine, "pomalu");
    painter.drawText(QRect(kFieldX, 172, kFieldWidth, 16), Qt::AlignRight | Qt::TextSingleLine, "rychle");
}

}  // namespace lexivo
