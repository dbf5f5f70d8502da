#include "ShortenedDatesDialog.h"

#include "ModalDialogs.h"
#include "SettingsControls.h"
#include "Workbench.h"

#include "core/numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelmar {

ShortenedDatesDialog::ShortenedDatesDialog(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("Tbarquest"));
    setWindowTitle(QString::fromUtf8(designText(message::ShortenedDatesTitle)));
    questionLabel_ = namedLabel(
        this, "Label1", QStringLiteral("Возможно, в файл данных занесены юлианские даты вида"));
    exampleLabel_ = namedLabel(
        this, "Label2", QStringLiteral("99999.0000 вместо 2499999.0000. Введите эпоху вида"));
    answerLabel_ =
        namedLabel(this, "Label3", QStringLiteral("2400000.0000, если это так, иначе - \"0\""));
    epochEdit_ = new QLineEdit(this);
    epochEdit_->setObjectName(QStringLiteral("Edit1"));
    okButton_ =
        namedButton(this, "Button1", QString::fromUtf8(designText(message::ShortenedDatesOk)));
    okButton_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* control :
         {static_cast<QWidget*>(questionLabel_), static_cast<QWidget*>(exampleLabel_),
          static_cast<QWidget*>(answerLabel_), static_cast<QWidget*>(epochEdit_)})
        layout->addWidget(control);
    layout->addWidget(okButton_, 0, Qt::AlignRight);
    connect(okButton_, &QPushButton::clicked, this, &ShortenedDatesDialog::takeOffset);
}

double ShortenedDatesDialog::askOffset(QWidget* opener) {
    epochEdit_->setFocus();
    runModal(*this, opener);
    return JdOffset;
}

// An empty box means no offset; a text that is no number is refused and the question stays.
void ShortenedDatesDialog::takeOffset() {
    const QString typed = epochEdit_->text();
    if (typed.trimmed().isEmpty()) {
        JdOffset = 0;
    } else if (const auto offset = numberInText(typed.toStdString())) {
        JdOffset = *offset;
    } else {
        workbench_.inform(this, workbench_.say(message::OffsetNotANumber, {typed}));
        return;
    }
    accept();
}

} // namespace quelmar
