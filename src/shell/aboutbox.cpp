#include "shell/aboutbox.h"

#include "platform/addresshandler.h"
#include "platform/versiontext.h"
#include "shell/feedback.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

const QColor Background(215, 240, 255);
constexpr int LogoSize = 48;
constexpr int Margin = 8;
constexpr int TextLeft = Margin + LogoSize + 12;
constexpr int ClientRightMargin = 6;
constexpr int ClientBottomMargin = 5;

QPixmap logo()
{
    QPixmap pixmap(LogoSize, LogoSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(197, 228, 252));
    painter.setPen(QPen(QColor(0, 70, 140), 2));
    painter.drawEllipse(2, 2, LogoSize - 4, LogoSize - 4);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(LogoSize / 2);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("K"));
    return pixmap;
}

QLabel *line(const char *name, const QString &text, int y, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(TextLeft, y);
    label->adjustSize();
    return label;
}

} // namespace

TFormAbout::TFormAbout(AddressHandler &addresses, const QWidget &mainWindow, QWidget *parent)
    : QDialog(parent, Qt::Tool),
      m_addresses(addresses),
      m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("FormAbout"));
    setModal(true);
    setWindowTitle(captionFor(QCoreApplication::applicationName(), VersionText::program()));

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(logo());
    image->setGeometry(Margin, Margin, LogoSize, LogoSize);

    QLabel *title = line("Label1", QStringLiteral("Kelvane Submit"), Margin, this);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    title->setFont(big);
    title->adjustSize();
    int y = title->geometry().bottom() + 6;
    y = line("Label2", tr("PAD submissions to download sites"), y, this)->geometry().bottom() + 2;
    y = line("Label3", tr("by Kelvane Software"), y, this)->geometry().bottom() + 12;
    m_label4 = line("Label4", QStringLiteral("for questions, suggestions, etc., email us at"), y,
                    this);
    y = m_label4->geometry().bottom() + 2;
    m_label7 = line("Label7", Maker::contactAddress(), y, this);
    QFont link = m_label7->font();
    link.setUnderline(true);
    m_label7->setFont(link);
    m_label7->adjustSize();
    QPalette blue = m_label7->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    m_label7->setPalette(blue);
    m_label7->setCursor(Qt::PointingHandCursor);

    for (QLabel *label : findChildren<QLabel *>())
        label->installEventFilter(this);

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Background);
    setPalette(palette);
    setAutoFillBackground(true);

    setFixedSize(m_label4->x() + m_label4->width() + ClientRightMargin,
                 m_label7->y() + m_label7->height() + ClientBottomMargin);
    move(mainWindow.pos() + QPoint(OffsetRight, OffsetDown));
}

void TFormAbout::showEvent(QShowEvent *event)
{
    // Placed each time it opens: the main window may have moved since start-up.
    move(m_mainWindow.pos() + QPoint(OffsetRight, OffsetDown));
    QDialog::showEvent(event);
}

QString TFormAbout::captionFor(const QString &title, const QString &versionText)
{
    return title + QLatin1String("   (") + versionText + QLatin1Char(')');
}

void TFormAbout::FormClick()
{
    accept();
}

void TFormAbout::Label7Click()
{
    m_addresses.open(Maker::contactMailto());
}

void TFormAbout::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        FormClick();
    else
        QDialog::mousePressEvent(event);
}

bool TFormAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_label7)
            Label7Click();
        else
            FormClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
