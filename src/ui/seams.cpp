#include "ui/seams.h"

#include <memory>

#include <QCollator>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace lexivo {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::showMessage(QWidget* parent, const Message& message)
{
    QMessageBox box(boxIcon(message.icon), QString::fromStdString(message.title), QString::fromStdString(message.text),
                    QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const Message& question)
{
    QMessageBox box(boxIcon(question.icon), QString::fromStdString(question.title),
                    QString::fromStdString(question.text), QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText("Ano");
    box.button(QMessageBox::No)->setText("Ne");
    return box.exec() == QMessageBox::Yes;
}

bool DesktopShell::open(const QString& fileOrAddress)
{
    const QUrl url = QFileInfo::exists(fileOrAddress) ? QUrl::fromLocalFile(fileOrAddress) : QUrl(fileOrAddress);
    return QDesktopServices::openUrl(url);
}

NameOrder localeNameOrder()
{
    auto collator = std::make_shared<QCollator>(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    return [collator](std::string_view a, std::string_view b) {
        const int order = collator->compare(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
                                            QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())));
        // Names equal to the collation still need a fixed order.
        return order != 0 ? order < 0 : a < b;
    };
}

}  // namespace lexivo
