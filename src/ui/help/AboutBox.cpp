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
      showMessage_(showCuriosityBox), iconLabel_(new QLabel),
      titleLabel_(titleLabel("Quelmar", 26)),
      versionLabel_(titleLabel(QStringLiteral("v%1 ALTUS").arg(QLatin1String(VersionShown)), 14)),
      developersLabel_(new QLabel(QString::fromUtf8(designText(message::Developers)))),
      descriptionLabel_(new QLabel(designDescription())), mailLink_(new LinkLabel(mailAddress())),
      webLink_(new LinkLabel(webAddress())), okButton_(new QPushButton(QStringLiteral("OK"))) {
    setObjectName(QStringLiteral("TAboutbox"));
    setWindowTitle(QStringLiteral("О программе"));
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(silver);
    setAutoFillBackground(true);
    setMouseTracking(true);

    const std::pair<QWidget*, const char*> names[] = {
        {iconLabel_, "Image1"},       {titleLabel_, "l1"},           {versionLabel_, "Label3D1"},
        {developersLabel_, "Label1"}, {descriptionLabel_, "Label3"}, {mailLink_, "ebtn"},
        {webLink_, "webbtn"},         {okButton_, "Button1"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));

    iconLabel_->setFixedSize(IconSize, IconSize);
    iconLabel_->installEventFilter(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(iconLabel_, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(titleLabel_, 0, 1);
    grid->addWidget(versionLabel_, 1, 1);
    grid->addWidget(descriptionLabel_, 2, 0, 1, 2);
    grid->addWidget(developersLabel_, 3, 0, 1, 2);
    grid->addWidget(mailLink_, 4, 0, 1, 2);
    grid->addWidget(webLink_, 5, 0, 1, 2);
    grid->addWidget(okButton_, 6, 0, 1, 2, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(mailLink_, &LinkLabel::clicked, this, &AboutBox::writeMail);
    connect(webLink_, &LinkLabel::clicked, this, &AboutBox::openWebSite);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::setDescription(const QString& line1, const QString& line2, const QString& line3) {
    descriptionLabel_->setText(line1 + QLatin1Char('\n') + line2 + QLatin1Char('\n') + line3);
}

void AboutBox::writeMail() {
    openLink_(QUrl(QStringLiteral("mailto:") + mailLink_->text() +
                   QStringLiteral("?subject=StartUp&cc=") + copyAddress()));
}

void AboutBox::openWebSite() {
    openLink_(QUrl(webLink_->text()));
}

void AboutBox::showEvent(QShowEvent* event) {
    const QIcon icon = icon_.isNull() ? windowIcon() : icon_;
    iconLabel_->setPixmap(icon.pixmap(IconSize, IconSize));
    QDialog::showEvent(event);
}

void AboutBox::mouseMoveEvent(QMouseEvent* event) {
    mailLink_->setUnderlined(false);
    webLink_->setUnderlined(false);
    QDialog::mouseMoveEvent(event);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != iconLabel_) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        event->accept(); // the icon takes the press, so the release comes to it as well
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease)
        iconReleased(static_cast<const QMouseEvent&>(*event));
    return QDialog::eventFilter(watched, event);
}

void AboutBox::iconReleased(const QMouseEvent& event) {
    const bool onlyCtrl = event.modifiers() == Qt::ControlModifier;
    const bool noOtherButton = event.buttons() == Qt::NoButton;
    if (!onlyCtrl || !noOtherButton || !iconLabel_->rect().contains(event.position().toPoint()))
        return;
    showMessage_(QString::fromStdString(ownText(message::CuriosityCaption, language_)),
                 QString::fromStdString(ownText(message::Curiosity, language_)));
}

} // namespace quelmar
