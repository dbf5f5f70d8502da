#pragma once
// The about box: title, version, description, two contact links and the OK button. Shown
// modally by the Help menu and at a start without arguments.

#include "core/OwnMessages.h"

#include <QDialog>
#include <QIcon>

#include <functional>

class QLabel;
class QPushButton;
class QUrl;

namespace quelmar {

class LinkLabel;
class RaisedLabel;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    // How a link is opened and how the icon's message is shown; tests replace both.
    using LinkOpener = std::function<void(const QUrl&)>;
    using MessageShower = std::function<void(const QString& caption, const QString& text)>;

    // icon: the application's icon; a null icon means the window icon.
    explicit AboutBox(const QIcon& icon = {}, QWidget* parent = nullptr);

    // The description from the three lines the language file gives for it.
    void setDescription(const QString& line1, const QString& line2, const QString& line3);

    // The language of the hidden message.
    void setLanguage(InterfaceLanguage language) { language_ = language; }

    void setLinkOpener(LinkOpener opener) { openLink_ = std::move(opener); }
    void setMessageShower(MessageShower shower) { showMessage_ = std::move(shower); }

    static QString mailAddress() { return QStringLiteral("quelmar@users.noreply.github.com"); }
    static QString copyAddress() { return QStringLiteral("quelmar-dev@users.noreply.github.com"); }
    static QString webAddress() { return QStringLiteral("https://github.com/quelmar/quelmar"); }

    void writeMail();
    void openWebSite();

protected:
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void iconReleased(const QMouseEvent& event);

    QIcon icon_;
    InterfaceLanguage language_ = InterfaceLanguage::English;
    LinkOpener openLink_;
    MessageShower showMessage_;
    QLabel* iconLabel_;
    RaisedLabel* titleLabel_;
    RaisedLabel* versionLabel_;
    QLabel* developersLabel_;
    QLabel* descriptionLabel_;
    LinkLabel* mailLink_;
    LinkLabel* webLink_;
    QPushButton* okButton_;
};

} // namespace quelmar
