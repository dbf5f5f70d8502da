#include "AboutBox.h"

#include "LinkLabel.h"
#include "RaisedLabel.h"

#include "core/Version.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace quelmar {

namespace {

constexpr int IconSize = 48;

QString designDescription() {
    return QStringLiteral("Многофункциональная программа для\nавтоматизации обработки наблюдений\n"
                          "переменных звёзд и других\nпериодических процессов");
}

void showCuriosityBox(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

RaisedLabel* titleLabel(const QString& text, int pointSize) {
    auto* label = new RaisedLabel(text);
    QFont f = label->font();
    f.setPointSize(pointSize);
    f.setBold(true);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(p);
    return label;
}

} // namespace

AboutBox::AboutBox(const QIcon& icon, QWidget* parent)
    : QDialog(parent), icon_(icon),
      openLink_([](const QUrl& url) { QDesktopServices::openUrl(url); }),
      showMessage_(showCuriosityBox), Image1(new QLabel), l1(titleLabel("Quelmar", 26)),
      Label3D1(titleLabel(QStringLiteral("v%1 ALTUS").arg(QLatin1String(VersionShown)), 14)),
      Label1(new QLabel(QString::fromUtf8(designText(message::Developers)))),
      Label3(new QLabel(designDescription())), ebtn(new LinkLabel(mailAddress())),
      webbtn(new LinkLabel(webAddress())), Button1(new QPushButton(QStringLiteral("OK"))) {
    setObjectName(QStringLiteral("TAboutbox"));
    setWindowTitle(QStringLiteral("О программе"));
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(silver);
    setAutoFillBackground(true);
    setMouseTracking(true);

    const std::pair<QWidget*, const char*> names[] = {
        {Image1, "Image1"}, {l1, "l1"},     {Label3D1, "Label3D1"}, {Label1, "Label1"},
        {Label3, "Label3"}, {ebtn, "ebtn"}, {webbtn, "webbtn"},     {Button1, "Button1"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));

    Image1->setFixedSize(IconSize, IconSize);
    Image1->installEventFilter(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Image1, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(l1, 0, 1);
    grid->addWidget(Label3D1, 1, 1);
    grid->addWidget(Label3, 2, 0, 1, 2);
    grid->addWidget(Label1, 3, 0, 1, 2);
    grid->addWidget(ebtn, 4, 0, 1, 2);
    grid->addWidget(webbtn, 5, 0, 1, 2);
    grid->addWidget(Button1, 6, 0, 1, 2, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(ebtn, &LinkLabel::clicked, this, &AboutBox::writeMail);
    connect(webbtn, &LinkLabel::clicked, this, &AboutBox::openWebSite);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::setDescription(const QString& line1, const QString& line2, const QString& line3) {
    Label3->setText(line1 + QLatin1Char('\n') + line2 + QLatin1Char('\n') + line3);
}

void AboutBox::writeMail() {
    openLink_(QUrl(QStringLiteral("mailto:") + ebtn->text() +
                   QStringLiteral("?subject=StartUp&cc=") + copyAddress()));
}

void AboutBox::openWebSite() {
    openLink_(QUrl(webbtn->text()));
}

void AboutBox::showEvent(QShowEvent* event) {
    const QIcon icon = icon_.isNull() ? windowIcon() : icon_;
    Image1->setPixmap(icon.pixmap(IconSize, IconSize));
    QDialog::showEvent(event);
}

void AboutBox::mouseMoveEvent(QMouseEvent* event) {
    ebtn->setUnderlined(false);
    webbtn->setUnderlined(false);
    QDialog::mouseMoveEvent(event);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Image1) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        event->accept(); // the icon takes the press, so the release comes to it as well
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease)
        Image1MouseUp(static_cast<const QMouseEvent&>(*event));
    return QDialog::eventFilter(watched, event);
}

void AboutBox::Image1MouseUp(const QMouseEvent& event) {
    const bool onlyCtrl = event.modifiers() == Qt::ControlModifier;
    const bool noOtherButton = event.buttons() == Qt::NoButton;
    if (!onlyCtrl || !noOtherButton || !Image1->rect().contains(event.position().toPoint())) return;
    showMessage_(QString::fromStdString(ownText(message::CuriosityCaption, language_)),
                 QString::fromStdString(ownText(message::Curiosity, language_)));
}

} // namespace quelmar
