#include "shell/optionsview.h"

#include "platform/dialogs.h"
#include "platform/scrambler.h"
#include "platform/settings.h"
#include "shell/browsersettingsview.h"
#include "shell/updateaddressesdialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int Margin = 12;
constexpr int EditLeft = 96;
constexpr int EditWidth = 120;
constexpr int RowHeight = 22;
constexpr int OkBottomOffset = 27;
constexpr int OkWidth = 75;
constexpr int AddressesWidth = 110;

QString text(const char *fixed)
{
    return QString::fromLatin1(fixed);
}

QLabel *heading(const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    QFont font = label->font();
    font.setUnderline(true);
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

OptionsView::OptionsView(Settings &settings, Dialogs &dialogs,
                         std::function<void()> hideAllViews, QWidget *parent)
    : QFrame(parent),
      m_settings(settings),
      m_dialogs(dialogs),
      m_hideAllViews(std::move(hideAllViews))
{
    setObjectName(QStringLiteral("Panel_opt"));
    setFrameShape(QFrame::NoFrame);

    int y = Margin;
    QLabel *logins = heading(text("Defaults for Logins"), this);
    logins->setObjectName(QStringLiteral("Label_logins"));
    logins->setGeometry(Margin, y, Width - 2 * Margin, RowHeight);
    y += RowHeight + 6;

    auto addRow = [&](const char *labelName, const char *caption, const char *editName) {
        auto *label = new QLabel(text(caption), this);
        label->setObjectName(text(labelName));
        label->setGeometry(Margin, y, EditLeft - Margin, RowHeight);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(text(editName));
        // Shown in clear text: the user checks what the sites will receive.
        edit->setEchoMode(QLineEdit::Normal);
        edit->setGeometry(EditLeft, y, EditWidth, RowHeight);
        label->setBuddy(edit);
        y += RowHeight + 4;
        return edit;
    };
    m_userName = addRow("Label_username", "Username", "Edit_username");
    m_passWord = addRow("Label_password", "Password", "Edit_password");
    y += 4;

    m_noteLabel = new QLabel(text("note :"), this);
    m_noteLabel->setObjectName(QStringLiteral("Label18"));
    m_noteLabel->setGeometry(Margin, y, EditLeft - Margin, RowHeight);
    // A label without a buddy shows "&" as it is.
    m_note = new QLabel(text("you should change the default Username & Password to something "
                             "else now, for your safety..."),
                        this);
    m_note->setObjectName(QStringLiteral("Label17"));
    m_note->setWordWrap(true);
    m_note->setGeometry(EditLeft, y, Width - EditLeft - Margin, 2 * RowHeight + 8);
    y += 2 * RowHeight + 16;

    QLabel *other = heading(text("Other Options"), this);
    other->setObjectName(QStringLiteral("Label_other_options"));
    other->setGeometry(Margin, y, Width - 2 * Margin, RowHeight);
    y += RowHeight + 4;
    // The browser settings (images, scripts) take this place.
    m_otherOptions = new QWidget(this);
    m_otherOptions->setObjectName(QStringLiteral("Panel_other_options"));
    m_otherOptions->setGeometry(Margin, y, Width - 2 * Margin, BrowserSettingsView::PreferredHeight);

    m_ok = new QPushButton(text("ok"), this);
    m_ok->setObjectName(QStringLiteral("SpeedButton2"));
    m_ok->resize(OkWidth, RowHeight + 2);
    connect(m_ok, &QPushButton::clicked, this, &OptionsView::SpeedButton2Click);
    // The panel is full: the update and site pack addresses have a window of their own.
    m_addresses = new QPushButton(tr("&addresses..."), this);
    m_addresses->setObjectName(QStringLiteral("Button_update_addresses"));
    m_addresses->setToolTip(tr("Where \"update soft\" downloads from: the update server and a "
                               "site pack"));
    m_addresses->resize(AddressesWidth, RowHeight + 2);
    connect(m_addresses, &QPushButton::clicked, this, &OptionsView::openAddresses);
}

QString OptionsView::userName() const
{
    return m_userName->text();
}

QString OptionsView::passWord() const
{
    return m_passWord->text();
}

void OptionsView::loadLogin()
{
    const Login::Pair pair = Login::load(m_settings);
    m_userName->setText(pair.userName);
    m_passWord->setText(pair.passWord);
}

UpdateAddressesDialog *OptionsView::addressesDialog() const
{
    return m_addressesDialog;
}

void OptionsView::openAddresses()
{
    if (m_addressesDialog) {
        m_addressesDialog->raise();
        return;
    }
    auto *dialog = new UpdateAddressesDialog(m_settings, m_dialogs, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_addressesDialog = dialog;
    dialog->open();
}

void OptionsView::Button_optClick()
{
    if (m_hideAllViews)
        m_hideAllViews();
    // Once the user has chosen a password of their own the note has done
    // its work; it does not come back for the rest of the run.
    if (!Login::noteStaysVisible(m_passWord->text())) {
        m_note->hide();
        m_noteLabel->hide();
    }
    move(Left, y());
    setVisible(true);
    raise();
    m_userName->setFocus(Qt::OtherFocusReason);
}

void OptionsView::SpeedButton2Click()
{
    const QString warning =
        Login::store(m_settings, m_userName->text(), m_passWord->text());
    if (!warning.isEmpty()) {
        m_dialogs.message(QCoreApplication::applicationName(), warning);
        return;
    }
    if (m_hideAllViews)
        m_hideAllViews();
}

void OptionsView::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_ok->move(Margin, std::max(0, height() - OkBottomOffset));
    m_addresses->move(Width - Margin - AddressesWidth, m_ok->y());
}
