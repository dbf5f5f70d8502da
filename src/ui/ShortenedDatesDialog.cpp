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
    Label1 = namedLabel(this, "Label1",
                        QStringLiteral("Возможно, в файл данных занесены юлианские даты вида"));
    Label2 = namedLabel(this, "Label2",
                        QStringLiteral("99999.0000 вместо 2499999.0000. Введите эпоху вида"));
    Label3 =
        namedLabel(this, "Label3", QStringLiteral("2400000.0000, если это так, иначе - \"0\""));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button1 =
        namedButton(this, "Button1", QString::fromUtf8(designText(message::ShortenedDatesOk)));
    Button1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* control : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                             static_cast<QWidget*>(Label3), static_cast<QWidget*>(Edit1)})
        layout->addWidget(control);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    connect(Button1, &QPushButton::clicked, this, &ShortenedDatesDialog::takeOffset);
}

double ShortenedDatesDialog::askOffset(QWidget* opener) {
    Edit1->setFocus();
    runModal(*this, opener);
    return JdOffset;
}

// An empty box means no offset; a text that is no number is refused and the question stays.
void ShortenedDatesDialog::takeOffset() {
    const QString typed = Edit1->text();
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
